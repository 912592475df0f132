// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/exercises/fichexo.h"

#include "core/platform/files.h"
#include "core/platform/programfolder.h"
#include "gui/exercises/exercisecontrols.h"
#include "gui/platform/dialogs.h"
#include "gui/platform/folderlists.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QTextEdit>
#include <cmath>

namespace {

constexpr int kStripHeight = 48;
const QString kFichexoTitle = QStringLiteral("Ouvrir un exercice");

// The title strip: "Ouvrir un exercice" in 24-point bold, each letter a little whiter than the
// one before, on the window's dark blue.
class TitleStrip : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QLinearGradient fill(0, 0, width(), 0);
        fill.setColorAt(0, QColor(0, 0, 96));
        fill.setColorAt(1, QColor(0, 0, 160));
        p.fillRect(rect(), fill);
        QFont f(QStringLiteral("Arial"));
        f.setPointSize(24);
        f.setBold(true);
        p.setFont(f);
        const QFontMetrics m(f);
        const int n = int(kFichexoTitle.size());
        int x = 10;
        const int y = (height() - m.height()) / 2 - 2;
        for (int i = 1; i <= n; ++i) {
            const int b = int(std::lround(double(i) / n * 100 + 155));
            p.setPen(QColor(255, 255, b));
            const QString c = kFichexoTitle.mid(i - 1, 1);
            p.drawText(x, y + m.ascent(), c);
            x += m.horizontalAdvance(c);
        }
    }
};

QPixmap markPicture(bool lit)
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(7, 7, 9);
    g.setColorAt(0, lit ? QColor(255, 255, 200) : QColor(110, 110, 110));
    g.setColorAt(1, lit ? QColor(230, 160, 0) : QColor(30, 30, 30));
    p.setBrush(g);
    p.setPen(QPen(lit ? QColor(150, 90, 0) : Qt::black, 1));
    p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
    return pixmap;
}

// An open folder with an arrow going into the page: opens the exercise.
QPixmap openPicture()
{
    QPixmap pixmap(36, 36);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 60, 0), 1.5));
    p.setBrush(QColor(250, 210, 90));
    p.drawRect(QRectF(4, 12, 28, 19));
    p.setBrush(QColor(255, 235, 150));
    const QPointF flap[] = {{4, 31}, {9, 17}, {35, 17}, {32, 31}};
    p.drawPolygon(flap, 4);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 2), QPointF(18, 13));
    p.drawLine(QPointF(13, 8), QPointF(18, 13));
    p.drawLine(QPointF(23, 8), QPointF(18, 13));
    return pixmap;
}

QPixmap closePicture()
{
    QPixmap pixmap(28, 28);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(200, 40, 40));
    p.setPen(QPen(Qt::white, 1.5));
    p.drawRoundedRect(QRectF(2, 2, 24, 24), 4, 4);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 9), QPointF(19, 19));
    p.drawLine(QPointF(19, 9), QPointF(9, 19));
    return pixmap;
}

template <class W> W* fichexoNamed(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* fichexoLabel(QWidget* parent, const char* name, const QString& text, const QRect& where)
{
    auto* l = fichexoNamed(new QLabel(text, parent), name);
    l->setGeometry(where);
    return l;
}

} // namespace

Fichexo::Fichexo(ExerciseControls& controls, QWidget* mainWindow)
    : QDialog(mainWindow), m_controls(controls)
{
    setObjectName(QStringLiteral("Fichexo"));
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(13);
    setFont(f);
    // It takes the main window's caption, place, size, state and icon, so that it covers it.
    if (mainWindow) {
        setWindowTitle(mainWindow->windowTitle());
        setWindowIcon(mainWindow->windowIcon());
        setGeometry(mainWindow->geometry());
        setWindowState(mainWindow->windowState());
    } else {
        resize(791, 565);
    }
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(236, 233, 216));
    setPalette(pal);

    tito = fichexoNamed(new TitleStrip(this), "tito");
    ouvreur = fichexoNamed(new QLabel(tito), "ouvreur");
    ouvreur->setPixmap(openPicture());
    ouvreur->setToolTip(QStringLiteral("Ouvrir l'exercice sélectionné"));
    ouvreur->setCursor(Qt::PointingHandCursor);
    ouvreur->installEventFilter(this);
    Image5 = fichexoNamed(new QLabel(tito), "Image5");
    Image5->setPixmap(closePicture());
    Image5->setToolTip(QStringLiteral("Fermer sans charger d'exercice"));
    Image5->setCursor(Qt::PointingHandCursor);
    Image5->installEventFilter(this);
    // The two pictures are buttons for the keyboard too: Tab reaches them, a frame shows the
    // focus, Space or Enter clicks.
    ouvreur->setAccessibleName(QStringLiteral("Ouvrir l'exercice sélectionné"));
    Image5->setAccessibleName(QStringLiteral("Fermer sans charger d'exercice"));
    for (QLabel* picture : {ouvreur, Image5})
        picture->setFocusPolicy(Qt::TabFocus);

    Frame1 = fichexoNamed(new QFrame(this), "Frame1");
    Frame1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    fichexoLabel(Frame1, "LabelDrive", QStringLiteral("Lecteur:"), {8, 6, 220, 18});
    Drive1 = fichexoNamed(new QComboBox(Frame1), "Drive1");
    Drive1->addItem(QStringLiteral("/"));
    Drive1->setGeometry(8, 24, 230, 24);
    Dir1Path = fichexoLabel(Frame1, "Dir1Path", QString(), {8, 54, 230, 18});
    Dir1 = fichexoNamed(new QListWidget(Frame1), "Dir1");
    Dir1->installEventFilter(this);
    fichexoLabel(Frame1, "LabelFiles", QStringLiteral("Liste des exercices:"), {8, 0, 230, 18});
    File1 = fichexoNamed(new QListWidget(Frame1), "File1");
    Dir1->setAccessibleName(QStringLiteral("Dossiers"));
    File1->setAccessibleName(QStringLiteral("Exercices"));
    File1->installEventFilter(this);

    titratexo = fichexoNamed(new QLabel(this), "titratexo");
    QFont big = font();
    big.setPixelSize(20);
    big.setBold(true);
    titratexo->setFont(big);
    titratexo->setWordWrap(true);
    titratexo->setAlignment(Qt::AlignCenter);
    QPalette blue = titratexo->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 160));
    titratexo->setPalette(blue);
    intratro =
        fichexoNamed(new QLabel(QStringLiteral("Sélectionner un fichier"), this), "intratro");
    intratro->setAlignment(Qt::AlignCenter);
    Label4 = fichexoNamed(new QLabel(QStringLiteral("Niveau de difficulté:"), this), "Label4");
    for (int i = 0; i < 3; ++i) {
        Image4[i] = fichexoNamed(new QLabel(this), "Image4");
        Image4[i]->setPixmap(markPicture(false));
    }
    Label3 = fichexoNamed(new QLabel(this), "Label3");
    Label2 = fichexoNamed(new QLabel(this), "Label2");
    QFont status = font();
    status.setPixelSize(18);
    status.setBold(true);
    for (QLabel* l : {Label2, Label3}) {
        l->setFont(status);
        l->setAlignment(Qt::AlignCenter);
    }
    QPalette shadow = Label3->palette();
    shadow.setColor(QPalette::WindowText, QColor(128, 128, 128));
    Label3->setPalette(shadow);
    QPalette front = Label2->palette();
    front.setColor(QPalette::WindowText, QColor(200, 0, 0));
    Label2->setPalette(front);
    Label1 = fichexoNamed(new QLabel(QStringLiteral("Notions abordées:"), this), "Label1");
    Text1 = fichexoNamed(new QTextEdit(this), "Text1");
    Text1->setReadOnly(true);
    Text1->setAcceptRichText(false);
    fichierexo = fichexoNamed(new QLineEdit(this), "fichierexo");
    fichierexo->setAccessibleName(QStringLiteral("Fichier de l'exercice"));
    Text1->setAccessibleName(QStringLiteral("Notions abordées"));
    fichierexo->setReadOnly(true);

    Frame2 = fichexoNamed(new QFrame(this), "Frame2");
    Frame2->setFrameStyle(QFrame::Box | QFrame::Plain);
    Frame2->setAutoFillBackground(true);
    fichexoLabel(Frame2, "Label5", QStringLiteral("Patienter quelques instants"), {10, 14, 240, 20})
        ->setAlignment(Qt::AlignCenter);
    fichexoLabel(Frame2, "Label6", QStringLiteral(" Chargement des fichiers"), {10, 40, 240, 20})
        ->setAlignment(Qt::AlignCenter);

    connect(Drive1, &QComboBox::activated, this, &Fichexo::Drive1_Change);
    connect(Dir1, &QListWidget::itemDoubleClicked, this, &Fichexo::Dir1_Open);
    // A click, or the arrow keys, select a file: it is previewed once.
    connect(File1, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item)
            File1_Click();
    });
    connect(File1, &QListWidget::itemDoubleClicked, this, &Fichexo::File1_DblClick);

    // Loading: no title, no notions, no waiting frame, the lists where the exercises are: the
    // program's "exercices" folder (the program's folder itself without it).
    layOut();
    Frame2->hide();
    setPreviewShown(false);
    const QString shipped = programfolder::file(QStringLiteral("exercices"));
    setFolder(files::isFolder(shipped) ? shipped : programfolder::path());
}

void Fichexo::layOut()
{
    const int w = width();
    const int h = height();
    tito->setGeometry(0, 0, w, kStripHeight);
    ouvreur->setGeometry(w - 90, (kStripHeight - 36) / 2, 36, 36);
    Image5->setGeometry(w - 42, (kStripHeight - 28) / 2, 28, 28);
    Frame1->setGeometry(0, kStripHeight, 250, h - kStripHeight);
    const int listsHeight = (h - kStripHeight - 110) / 2;
    Dir1->setGeometry(8, 74, 234, listsHeight);
    Frame1->findChild<QLabel*>(QStringLiteral("LabelFiles"))
        ->setGeometry(8, 80 + listsHeight, 230, 18);
    File1->setGeometry(8, 100 + listsHeight, 234, h - kStripHeight - 108 - listsHeight);
    const int x = 270;
    const int right = w - 20;
    titratexo->setGeometry(x, kStripHeight + 14, right - x, 60);
    intratro->setGeometry(x, kStripHeight + 14, right - x, 60);
    Label2->setGeometry(x, kStripHeight + 86, right - x, 26);
    Label3->setGeometry(Label2->geometry().translated(2, 2));
    Label4->setGeometry(x, kStripHeight + 130, 150, 20);
    for (int i = 0; i < 3; ++i)
        Image4[i]->setGeometry(x + 156 + 24 * i, kStripHeight + 131, 18, 18);
    Label1->setGeometry(x, kStripHeight + 166, 200, 20);
    Text1->setGeometry(x, kStripHeight + 188, right - x, h - kStripHeight - 240);
    fichierexo->setGeometry(x, h - 38, right - x, 22);
    Frame2->setGeometry((w - 260) / 2, (h - 76) / 2, 260, 76);
}

void Fichexo::setPreviewShown(bool shown, bool marks)
{
    intratro->setVisible(!shown);
    for (QWidget* widget : {static_cast<QWidget*>(Label4), static_cast<QWidget*>(ouvreur),
                            static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
                            static_cast<QWidget*>(Label3)})
        widget->setVisible(shown);
    for (QLabel* mark : Image4)
        mark->setVisible(shown && marks);
}

void Fichexo::setFolder(const QString& path)
{
    m_folder = QDir::cleanPath(path);
    folderlists::fillFolders(Dir1, m_folder);
    Dir1Path->setToolTip(m_folder);
    Dir1Path->setText(
        Dir1Path->fontMetrics().elidedText(m_folder, Qt::ElideMiddle, Dir1Path->width()));
    folderlists::fillFiles(File1, m_folder, exercises::Pattern);
}

void Fichexo::Drive1_Change()
{
    setFolder(Drive1->currentText());
    Drive1->setCurrentIndex(0);
}

void Fichexo::Dir1_Open(QListWidgetItem* item)
{
    if (item)
        setFolder(item->data(folderlists::PathRole).toString());
}

void Fichexo::File1_Click()
{
    QListWidgetItem* item = File1->currentItem();
    if (!item)
        return;
    fichierexo->setText(folderlists::withSeparator(m_folder) + item->text());
    apercu();
}

void Fichexo::File1_DblClick()
{
    ouvreur_Click();
}

void Fichexo::ouvreur_Click()
{
    if (m_controls.openSelected(*this))
        accept();
}

void Fichexo::Image5_Click()
{
    reject();
}

bool Fichexo::apercu()
{
    Text1->clear();
    for (QLabel* mark : Image4)
        mark->hide();
    Label4->hide();
    ouvreur->hide();
    if (fichierexo->text().trimmed().isEmpty())
        return true;
    setPreviewShown(true, false);
    const std::optional<exercises::ExerciseRecords> records =
        exercises::readExercise(fichierexo->text());
    if (!records) {
        ExerciseControls::reportUnreadable(this);
        return false;
    }
    const exercises::Preview p = exercises::preview(*records);
    Label2->setText(p.status);
    Label3->setText(p.status);
    for (int i = 0; i < 3; ++i) {
        m_lit[i] = p.litMarks > i;
        Image4[i]->setPixmap(markPicture(m_lit[i]));
        Image4[i]->show();
    }
    Text1->setPlainText(p.notions);
    titratexo->setText(p.title);
    return true;
}

void Fichexo::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Activated: the first file is selected, which previews it.
    if (!m_activated && File1->count() > 0) {
        m_activated = true;
        File1->setCurrentRow(0);
    }
}

bool Fichexo::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == ouvreur) {
            ouvreur_Click();
            return true;
        }
        if (watched == Image5) {
            Image5_Click();
            return true;
        }
    }
    if ((watched == ouvreur || watched == Image5) &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        static_cast<QLabel*>(watched)->setFrameStyle(
            event->type() == QEvent::FocusIn ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if ((enter || key->key() == Qt::Key_Space) && (watched == ouvreur || watched == Image5)) {
            if (watched == ouvreur)
                ouvreur_Click();
            else
                Image5_Click();
            return true;
        }
        if (enter && watched == Dir1) {
            Dir1_Open(Dir1->currentItem());
            return true;
        }
        if (enter && watched == File1) {
            ouvreur_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
