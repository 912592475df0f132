// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/config/configdialogs.h"

#include "core/platform/files.h"
#include "core/platform/programfolder.h"
#include "core/state/module1.h"
#include "gui/platform/decorative.h"
#include "gui/platform/dialogs.h"
#include "gui/platform/folderlists.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>

namespace {

constexpr int kDialogWidth = 470;
constexpr int kDialogHeight = 388;
constexpr int kPlacement = 20; // pixels right of and below the main window's corner

QString withSlashes(QString text)
{
    return text.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// Where the lists start: the folder of the last configuration when it still exists, else home.
QString startFolder()
{
    const QString last = module1().currentConfigPath;
    if (!last.trimmed().isEmpty()) {
        const QString folder = QFileInfo(withSlashes(last)).absolutePath();
        if (files::isFolder(folder))
            return folder;
    }
    return QDir::homePath();
}

void showFolder(QLabel* label, const QString& path)
{
    label->setToolTip(path);
    label->setText(label->fontMetrics().elidedText(path, Qt::ElideMiddle, label->width()));
}

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

QFont dialogFont()
{
    // Size 10 on the reference screen of 96 dots per inch: 13 pixels.
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(13);
    return f;
}

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* caption(const QString& text, const QRect& where, QWidget* parent, const char* name)
{
    auto* label = named(new QLabel(text, parent), name);
    label->setGeometry(where);
    return label;
}

QComboBox* driveList(QWidget* parent)
{
    auto* combo = named(new QComboBox(parent), "Drive1");
    combo->addItem(QStringLiteral("/"));
    combo->setGeometry(10, 28, 200, 24);
    return combo;
}

QLabel* folderCaption(QWidget* parent)
{
    auto* label = named(new QLabel(parent), "Dir1Path");
    label->setGeometry(10, 78, 200, 18);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

QListWidget* list(QWidget* parent, const char* name, const QRect& where)
{
    auto* widget = named(new QListWidget(parent), name);
    widget->setGeometry(where);
    widget->setSelectionMode(QAbstractItemView::SingleSelection);
    return widget;
}

// No button is the default one: Enter belongs to the box that has the focus.
QPushButton* button(const QString& text, int x, QWidget* parent, const char* name)
{
    auto* b = named(new QPushButton(text, parent), name);
    b->setGeometry(x, kDialogHeight - 40, 110, 28);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

void placeBeside(QWidget* dialog, QWidget* mainWindow)
{
    if (mainWindow)
        dialog->move(mainWindow->window()->pos() + QPoint(kPlacement, kPlacement));
}

// The waiting icon: a small hourglass.
QPixmap hourglass()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(255, 255, 230));
    const QPointF glass[] = {{9, 5}, {23, 5}, {16, 16}, {23, 27}, {9, 27}, {16, 16}};
    p.drawPolygon(glass, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 150, 40));
    const QPointF sand[] = {{11, 26}, {21, 26}, {16, 19}};
    p.drawPolygon(sand, 3);
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(QPointF(7, 4), QPointF(25, 4));
    p.drawLine(QPointF(7, 28), QPointF(25, 28));
    return pixmap;
}

} // namespace

namespace configdialogs {

QString savePath(const QString& typed, const QString& folder, QString* kept)
{
    QString text = withSlashes(typed);
    int slash = -1;
    for (;;) {
        text = text.trimmed();
        slash = int(text.lastIndexOf(QLatin1Char('/')));
        // Only the file name loses its dots: a folder "tp.optique" stays as typed.
        const int dot = int(text.indexOf(QLatin1Char('.'), slash + 1));
        if (text.size() == slash + 1 || dot < 0)
            break;
        text.truncate(int(text.lastIndexOf(QLatin1Char('.'))));
    }
    if (kept)
        *kept = text;
    if (text.size() == slash + 1)
        return {};
    QString path;
    if (slash < 0)
        path = folderlists::joined(folder, text);
    else if (QDir::isAbsolutePath(text))
        path = text;
    else
        path = QDir::cleanPath(folderlists::joined(folder, text));
    return path + QStringLiteral(".P02");
}

QString proposedSavePath(const QString& last, const QString& programFolder,
                         const QString& documents)
{
    if (last.trimmed().isEmpty() || programFolder.isEmpty())
        return last;
    const auto canonical = [](const QString& path) {
        const QFileInfo info(path);
        const QString real = info.canonicalFilePath();
        return QDir::cleanPath(real.isEmpty() ? info.absoluteFilePath() : real);
    };
    const QString file = canonical(withSlashes(last));
    const QString folder = canonical(programFolder) + QLatin1Char('/');
    if (!file.startsWith(folder))
        return last;
    return QDir(documents).filePath(QFileInfo(file).fileName());
}

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && files::isFolder(documents) ? documents : QDir::homePath();
}

} // namespace configdialogs

// ---- both dialogs ---------------------------------------------------------------------------

FolderDialog::FolderDialog(QWidget* mainWindow, const char* folderName, const QString& folderText,
                           const char* filesName, const QString& filesText)
    : QDialog(mainWindow)
{
    setFont(dialogFont());
    setFixedSize(kDialogWidth, kDialogHeight);
    Label1 = caption(QStringLiteral("Lecteur:"), {10, 8, 200, 18}, this, "Label1");
    Drive1 = driveList(this);
    m_folderCaption = caption(folderText, {10, 58, 200, 18}, this, folderName);
    Dir1Path = folderCaption(this);
    Dir1 = list(this, "Dir1", {10, 98, 200, 184});
    m_filesCaption = caption(filesText, {220, 8, 240, 18}, this, filesName);
    File1 = list(this, "File1", {220, 28, 240, 254});
    Label1->setBuddy(Drive1);
    Dir1->setAccessibleName(QStringLiteral("Dossiers"));
    File1->setAccessibleName(QStringLiteral("Fichiers"));
    connect(Drive1, &QComboBox::activated, this, &FolderDialog::Drive1_Change);
    connect(Dir1, &QListWidget::itemDoubleClicked, this, &FolderDialog::Dir1_Open);
}

void FolderDialog::showStartFolder(QWidget* mainWindow, const QString& folder)
{
    placeBeside(this, mainWindow);
    m_dirPath = !folder.isEmpty() && files::isFolder(folder) ? folder : startFolder();
    folderlists::fillFolders(Dir1, m_dirPath);
    showFolder(Dir1Path, m_dirPath);
    m_filePath = m_dirPath;
    folderlists::fillFiles(File1, m_filePath, configdialogs::Pattern);
}

void FolderDialog::setDir1Path(const QString& path)
{
    if (path == m_dirPath)
        return;
    m_dirPath = path;
    folderlists::fillFolders(Dir1, m_dirPath);
    showFolder(Dir1Path, m_dirPath);
    Dir1_Change();
}

void FolderDialog::Drive1_Change()
{
    // The only drive is the root; the list is then set back to the folder list's drive.
    setDir1Path(Drive1->currentText());
    Drive1->setCurrentIndex(0);
}

void FolderDialog::Dir1_Change()
{
    if (m_filePath == m_dirPath)
        return;
    m_filePath = m_dirPath;
    folderlists::fillFiles(File1, m_filePath, configdialogs::Pattern);
    filesFolderChanged();
}

void FolderDialog::Dir1_Open(QListWidgetItem* item)
{
    if (item)
        setDir1Path(item->data(folderlists::PathRole).toString());
}

bool FolderDialog::Dir1_KeyPress(QKeyEvent* key)
{
    if (!isEnter(key))
        return false;
    Dir1_Open(Dir1->currentItem());
    return true;
}

// ---- enregistrer ---------------------------------------------------------------------------

enregistrer::enregistrer(QWidget* mainWindow)
    : FolderDialog(mainWindow, "Label3", QStringLiteral("Répertoire:"), "Label4",
                   QStringLiteral("Fichiers enregistrés"))
{
    setObjectName(QStringLiteral("enregistrer"));
    setWindowTitle(QStringLiteral("Enregistrer les paramètres."));
    Label3 = m_folderCaption;
    Label4 = m_filesCaption;
    Label2 = caption(QStringLiteral("Nom du fichier:"), {10, 290, 450, 18}, this, "Label2");
    Text1 = named(new QLineEdit(this), "Text1");
    Text1->setGeometry(10, 310, 450, 24);
    Text1->setAccessibleName(QStringLiteral("Nom du fichier"));
    Command1 =
        button(QStringLiteral("ENREGISTRER"), kDialogWidth - 10 - 110 - 8 - 110, this, "Command1");
    Command2 = button(QStringLiteral("ANNULER"), kDialogWidth - 10 - 110, this, "Command2");

    Dir1->installEventFilter(this);
    Text1->installEventFilter(this);
    connect(File1, &QListWidget::itemDoubleClicked, this, &enregistrer::File1_DblClick);
    connect(Command1, &QPushButton::clicked, this, &enregistrer::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &enregistrer::Command2_Click);

    Form_Load(mainWindow);
}

void enregistrer::Form_Load(QWidget* mainWindow)
{
    // The last file's full path is proposed whole, out of the program's folder.
    const QString proposed = configdialogs::proposedSavePath(
        module1().currentConfigPath, programfolder::path(), configdialogs::documentsFolder());
    showStartFolder(mainWindow, proposed.trimmed().isEmpty()
                                    ? QString()
                                    : QFileInfo(withSlashes(proposed)).absolutePath());
    Text1->setText(proposed);
}

void enregistrer::File1_DblClick(QListWidgetItem* item)
{
    if (!item)
        return;
    Text1->setText(item->text());
    Command1_Click();
}

void enregistrer::File1_PathChange()
{
    // A path typed or proposed keeps only its file name once the folder is chosen in the lists.
    const QString text = withSlashes(Text1->text());
    const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0)
        Text1->setText(text.mid(slash + 1));
}

bool enregistrer::Text1_KeyPress(QKeyEvent* key)
{
    if (!isEnter(key))
        return false;
    Command1_Click();
    return true;
}

void enregistrer::Command1_Click()
{
    setCursor(Qt::WaitCursor);
    QString kept;
    const QString path = configdialogs::savePath(Text1->text(), m_dirPath, &kept);
    Text1->setText(kept);
    if (path.isEmpty()) {
        unsetCursor();
        dialogs::msgBox(QStringLiteral("Il faut donner un nom au fichier!"), dialogs::Buttons::Ok,
                        dialogs::Icon::Stop, QStringLiteral("Enregistrement impossible"), this);
        return;
    }
    module1().currentConfigPath = path;
    files::setCurrentFolder(m_filePath);

    if (files::exists(path) &&
        dialogs::msgBox(QStringLiteral("Ecraser le fichier existant?"), dialogs::Buttons::YesNo,
                        dialogs::Icon::Exclamation, QStringLiteral("Ce fichier existe déjà!"), this,
                        dialogs::Answer::No) != dialogs::Answer::Yes) {
        unsetCursor();
        return;
    }
    emit saveRequested(path);
    unsetCursor();
}

void enregistrer::Command2_Click()
{
    reject();
}

bool enregistrer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == Dir1)
            return Dir1_KeyPress(key);
        if (watched == Text1)
            return Text1_KeyPress(key);
    }
    return QDialog::eventFilter(watched, event);
}

// ---- ouvrir --------------------------------------------------------------------------------

ouvrir::ouvrir(QWidget* mainWindow)
    : FolderDialog(mainWindow, "Label2", QStringLiteral("Répertoire"), "Label3",
                   QStringLiteral("Fichiers"))
{
    setObjectName(QStringLiteral("ouvrir"));
    setWindowTitle(QStringLiteral("Ouvrir une configuration"));
    Label2 = m_folderCaption;
    Label3 = m_filesCaption;
    ficharge = named(new QLineEdit(this), "ficharge");
    ficharge->setGeometry(10, 300, 450, 24);
    ficharge->setAccessibleName(QStringLiteral("Fichier à ouvrir"));
    Command1 =
        button(QStringLiteral("OUVRIR"), kDialogWidth - 10 - 110 - 8 - 110, this, "Command1");
    Command2 = button(QStringLiteral("ANNULER"), kDialogWidth - 10 - 110, this, "Command2");

    Frame1 = named(new QFrame(this), "Frame1");
    Frame1->setGeometry(85, 130, 300, 64);
    Frame1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Frame1->setLineWidth(2);
    Frame1->setAutoFillBackground(true);
    Image1 = named(new QLabel(Frame1), "Image1");
    Image1->setPixmap(hourglass());
    accessibility::markDecorative(Image1); // the wait is said in words beside it
    Image1->setGeometry(14, 16, 32, 32);
    Label4 = caption(QStringLiteral("Patience: chargement du fichier"), {56, 16, 236, 32}, Frame1,
                     "Label4");
    Label4->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    Frame1->hide();

    Dir1->installEventFilter(this);
    // A click, or a move of the selection with the arrow keys, chooses the file.
    connect(File1, &QListWidget::itemClicked, this, &ouvrir::File1_Click);
    connect(File1, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> chosen = File1->selectedItems();
        if (!chosen.isEmpty())
            File1_Click(chosen.first());
    });
    connect(File1, &QListWidget::itemDoubleClicked, this, &ouvrir::File1_DblClick);
    connect(Command1, &QPushButton::clicked, this, &ouvrir::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ouvrir::Command2_Click);

    Form_Load(mainWindow);
}

void ouvrir::Form_Load(QWidget* mainWindow)
{
    showStartFolder(mainWindow);
}

void ouvrir::File1_Click(QListWidgetItem* item)
{
    if (!item)
        return;
    ficharge->setText(folderlists::joined(m_filePath, item->text()));
    files::setCurrentFolder(m_filePath);
}

void ouvrir::File1_DblClick(QListWidgetItem* item)
{
    if (item)
        Command1_Click();
}

void ouvrir::Command1_Click()
{
    const QString typed = withSlashes(ficharge->text());
    if (typed.trimmed().isEmpty())
        return;
    // Blanks are part of the name; a relative name is read from the folder the lists show.
    const QString path =
        QDir::isAbsolutePath(typed) ? typed : folderlists::joined(m_filePath, typed);
    module1().currentConfigPath = path;
    if (!files::isRegularFile(path)) {
        dialogs::msgBox(QStringLiteral("Nom de fichier incorrect ou chemin non valide"),
                        dialogs::Buttons::Ok, dialogs::Icon::Stop,
                        QStringLiteral("impossible d'ouvrir ce fichier"), this);
        return;
    }
    Frame1->show();
    Frame1->raise();
    repaint();
    emit configurationRequested(path);
    accept();
}

void ouvrir::Command2_Click()
{
    reject();
}

bool ouvrir::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Dir1 && event->type() == QEvent::KeyPress)
        return Dir1_KeyPress(static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}
