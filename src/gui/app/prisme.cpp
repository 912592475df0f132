// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/prisme.h"

#include "core/app/experimentsetup.h"
#include "core/app/markerfile.h"
#include "core/bench/materials.h"
#include "core/bench/optics.h"
#include "core/exercises/exercisefile.h"
#include "core/exercises/startuptext.h"
#include "core/platform/clipboardcopy.h"
#include "core/platform/programfolder.h"
#include "core/state/module1.h"
#include "gui/app/prismeicons.h"
#include "gui/bench/benchcontrols.h"
#include "gui/bench/benchview.h"
#include "gui/calc/avancalc.h"
#include "gui/calc/machine.h"
#include "gui/exercises/exercisecontrols.h"
#include "gui/graph/grapheur.h"
#include "gui/help/helpwindow.h"
#include "gui/platform/dialogs.h"
#include "gui/platform/zoom.h"
#include "gui/print/confimp.h"
#include "gui/protractor/protractorcontrols.h"
#include "gui/table/tablecontrols.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace {

QSize& screenSizeOverride()
{
    static QSize size;
    return size;
}

Prisme::UrlOpener& urlOpener()
{
    static Prisme::UrlOpener opener;
    return opener;
}

// Palette colour 8, the shadow of the text area.
const QColor ShadowGrey(128, 128, 128);
} // namespace

// ---------------------------------------------------------------------------------------------

Prisme::Prisme(StartMode mode, QWidget* parent) : QWidget(parent), m_mode(mode)
{
    setObjectName(QStringLiteral("Prisme"));
    setWindowTitle(QStringLiteral("Optiphane"));
    setWindowIcon(prismeicons::windowIcon());
    if (QFont::substitutes(QStringLiteral("MS Sans Serif")).isEmpty())
        QFont::insertSubstitutions(
            QStringLiteral("MS Sans Serif"),
            {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    setFont(DesignFont());
    resize(DesignWidth, DesignHeight);

    createControls();
    createHints();
    connect(bench, &BenchControls::hintChanged, this, &Prisme::setHint);
    connect(bench, &BenchControls::changed, this, [this] { experiment.changed(); });
    connect(protractor, &ProtractorControls::hintChanged, this, &Prisme::setHint);
    connect(tableControls, &TableControls::hintChanged, this, &Prisme::setHint);
    exercisesMenu = new ExerciseControls(
        {.window = this, .btexo = btexo, .supertext = supertext, .fich = fich}, experiment, this);
    connect(exercisesMenu, &ExerciseControls::configurationRequested, this,
            &Prisme::loadConfiguration);
    connect(exercisesMenu, &ExerciseControls::panelsHideRequested, this, &Prisme::hideForExercise);
    connect(exercisesMenu, &ExerciseControls::startupTextRequested, this, &Prisme::showStartupText);
    connectControls();
    createKeyboardAccess();
    Form_Load();
}

Prisme::~Prisme()
{
    // The grid reads the table while the window's children are torn down: let the table's
    // controls and their model go first, while the table is still there.
    delete tableControls;
}

void Prisme::setScreenSizeOverride(QSize size)
{
    screenSizeOverride() = size;
}

void Prisme::setUrlOpener(UrlOpener opener)
{
    urlOpener() = std::move(opener);
}

void Prisme::connectControls()
{
    connect(Command1, &QPushButton::clicked, this, &Prisme::Command1_Click);
    connect(Command7, &QPushButton::clicked, this, &Prisme::Command7_Click);
    connect(Command9, &QPushButton::clicked, this, &Prisme::Command9_Click);
    connect(Command4, &QPushButton::clicked, this, &Prisme::Command4_Click);
    connect(Command10, &QPushButton::clicked, this, &Prisme::Command10_Click);
    connect(Command8, &QPushButton::clicked, this, &Prisme::Command8_Click);
    connect(Command11, &QPushButton::clicked, this, &Prisme::Command11_Click);
    connect(Command2, &QPushButton::clicked, this, &Prisme::Command2_Click);
    connect(tableControls, &TableControls::columnCalculationRequested, this, [this](bool again) {
        calc::openColumnCalculator(table, module1().memoryValue, again, this);
    });
    connect(tableControls, &TableControls::columnFormulaRequested, this,
            [this] { calc::showColumnFormula(table, this); });
    for (QAction* copy : {cop001, cop002, cop003})
        copy->setEnabled(true);
    connect(cop001, &QAction::triggered, this, &Prisme::cop001_Click);
    connect(cop002, &QAction::triggered, this, [this] {
        tableControls->cop002_Click();
        setHint(CopiedMessage);
    });
    connect(cop003, &QAction::triggered, this, [this] {
        tableControls->cop003_Click();
        setHint(CopiedMessage);
    });
    connect(tableControls, &TableControls::graphRequested, this, [this] {
        grapheur graph(table, this);
        graph.exec();
    });
    connect(Check1, &QPushButton::toggled, this, &Prisme::Check1_Click);
    connect(tableControls, &TableControls::hideRequested, this, &Prisme::fermtab_Click);
    connect(Label3, &ClickLabel::clicked, this, &Prisme::fermtab_Click);
    connect(Image5, &ClickLabel::clicked, this, &Prisme::Image5_Click);
    for (int i = 1; i <= 5; ++i)
        connect(Image3[std::size_t(i)], &ClickLabel::clicked, this, [this, i] { Image3_Click(i); });
    connect(Label19, &ClickLabel::clicked, Picture4, &QWidget::hide);
    connect(Label32, &ClickLabel::clicked, Picture5, &QWidget::hide);
    connect(Label23, &ClickLabel::clicked, Picture6, &QWidget::hide);
    connect(Label2, &ClickLabel::clicked, Frame1, &QWidget::hide);
    connect(Label25, &ClickLabel::clicked, protractor, &ProtractorControls::close);
    connect(Image4, &ClickLabel::clicked, protractor, &ProtractorControls::close);
    connect(btexo, &ClickLabel::clicked, exercisesMenu, &ExerciseControls::btexo_Click);
    // Enter on the protractor's sphere records its reading, shown or not, into the table.
    connect(protractor, &ProtractorControls::readingEntered, tableControls,
            &TableControls::enterReading);
}

// ---------------------------------------------------------------------------------------------
// Start-up

void Prisme::Form_Load()
{
    BenchState& state = experiment.bench;

    // The table's number format is set with the table itself.

    if (m_mode == StartMode::Interactive)
        marker::write(QStringLiteral("OUI"));

    Form_Resize();

    state.benchDrawnFor = 0;
    state.loadingConfig = false;

    showStartupText();

    bench->showStartMaterials();
    setHint(StartHint);
    bench->startDrawing();
    experiment.tableSaved(); // the start table holds no measurement

    // The background and the panel icons are painted by paintEvent: the icons have transparent
    // backgrounds, so they show over the gradient as they are.
}

void Prisme::showStartupText()
{
    supertext->hide();
    ExerciseControls::showDocument(supertext, startupText());
    supertext->setReadOnly(true);
    supertext->show();
}

void Prisme::hideForExercise()
{
    // The statement is read beside the bench alone: the table and the panels go.
    Check1->setChecked(false);
    protractor->close();
    for (QWidget* panel : {Picture4, Picture5, Picture6, Frame1})
        panel->hide();
}

// ---------------------------------------------------------------------------------------------
// Size rule and background

QRect Prisme::screenGeometry() const
{
    if (screenSizeOverride().isValid())
        return QRect(QPoint(0, 0), screenSizeOverride());
    if (const QScreen* s = screen())
        return s->geometry();
    return QRect(0, 0, 1024, 768);
}

void Prisme::Form_Resize()
{
    // On a screen under 850 pixels wide the window is 800 × 600 (frame included) and centred.
    const QRect screenRect = screenGeometry();
    if (screenRect.width() >= 850 || m_inSizeRule)
        return;
    m_inSizeRule = true;
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    const QSize outer(800, 600);
    const QSize frameExtra = frameGeometry().size() - size();
    if (frameGeometry().size() != outer)
        resize(outer - frameExtra);
    const QPoint topLeft(screenRect.x() + (screenRect.width() - outer.width()) / 2,
                         screenRect.y() + (screenRect.height() - outer.height()) / 2);
    if (pos() != topLeft)
        move(topLeft);
    m_inSizeRule = false;
}

void Prisme::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
    fitLayout();
}

void Prisme::fitLayout()
{
    double factor = 1;
    QPoint offset;
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        // Never under the designed size: a screen too small for it shows it as it always did.
        const double fits =
            std::min(width() / double(DesignWidth), height() / double(DesignHeight));
        if (fits > 1) {
            factor = fits;
            offset = QPoint((width() - int(std::lround(DesignWidth * factor))) / 2,
                            (height() - int(std::lround(DesignHeight * factor))) / 2);
        }
    }
    if (factor == m_zoom && offset == m_zoomOffset)
        return;
    m_zoom = factor;
    m_zoomOffset = offset;
    zoom::apply(this, factor, offset);
    zoom::layOutDocument(supertext->document(), factor);
    showIcons();
    update();
}

void Prisme::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

void Prisme::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (devicePixelRatioF() * m_zoom != m_iconScale)
        showIcons();
    // The window's frame is known once it is on screen: apply the rule again with it.
    QMetaObject::invokeMethod(this, &Prisme::Form_Resize, Qt::QueuedConnection);
}

void Prisme::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange &&
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        QMetaObject::invokeMethod(this, &Prisme::Form_Resize, Qt::QueuedConnection);
    // The window manager may say the window is maximized after or before giving its new size.
    if (event->type() == QEvent::WindowStateChange)
        QMetaObject::invokeMethod(this, &Prisme::fitLayout, Qt::QueuedConnection);
}

void Prisme::paintEvent(QPaintEvent* event)
{
    // A gradient from white at the top to (200, 200, 180) at y = 600, and the shadow of the text
    // area.
    // At a factor the gradient spans the layout's height times the factor, and goes on below.
    QPainter p(this);
    const QRect area = event->rect();
    const int top = std::max(area.top(), 0);
    const int bottom = m_zoom == 1 ? std::min(area.bottom(), 600) : area.bottom();
    const int right = std::max(800, width());
    for (int y = top; y <= bottom; ++y) {
        const double d = m_zoom == 1 ? y : std::clamp((y - m_zoomOffset.y()) / m_zoom, 0.0, 600.0);
        const int g = int(std::nearbyint(255.0 - d * 55.0 / 600.0));
        const int b = int(std::nearbyint(255.0 - d * 75.0 / 600.0));
        p.fillRect(QRect(0, y, right, 1), QColor(g, g, b));
    }
    const QRect text = supertext->geometry();
    const int shadow = int(std::lround(3 * m_zoom));
    p.fillRect(
        QRect(QPoint(text.left() + shadow, fich->geometry().top() + shadow),
              QPoint(text.left() + text.width() + shadow, text.top() + text.height() + shadow)),
        ShadowGrey);
}

// ---------------------------------------------------------------------------------------------
// Hint bar

void Prisme::setHint(const QString& text)
{
    info->setText(text);
}

QString Prisme::hint() const
{
    return info->text();
}

void Prisme::mouseMoveEvent(QMouseEvent* event)
{
    // Only the bare background: moves that children pass up to the window are theirs.
    if (!childAt(event->position().toPoint()))
        setHint(StartHint);
    QWidget::mouseMoveEvent(event);
}

bool Prisme::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        panelShownOrHidden(watched, event->type() == QEvent::Show);
    if (watched == supertext && event->type() == QEvent::KeyPress) {
        // Tab is typed into an exercise's answer: Ctrl+Tab leaves the text, with Shift backwards.
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            (key->modifiers() & Qt::ControlModifier)) {
            focusNextPrevChild(key->key() == Qt::Key_Tab &&
                               !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    if (event->type() == QEvent::MouseMove) {
        const auto it = m_hints.constFind(watched);
        if (it != m_hints.constEnd()) {
            auto* widget = static_cast<QWidget*>(watched);
            auto* move = static_cast<QMouseEvent*>(event);
            // A move over one of the control's own children belongs to that child.
            if (!widget->childAt(move->position().toPoint())) {
                // After a copy the clipboard message stays while the pointer is on "Copier".
                if (!(watched == Command4 && info->text() == CopiedMessage))
                    setHint(it.value());
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Buttons, panels, text

void Prisme::Command1_Click()
{
    close();
}

void Prisme::openHelp(const QString& oldFile, const QString& folder, const QString& title,
                      HelpWindow*& window)
{
    // The old viewer's file, when it ships and the desktop can open it.
    const QString path = programfolder::file(oldFile);
    if (QFileInfo::exists(path)) {
        const QUrl url = QUrl::fromLocalFile(path);
        if (urlOpener() ? urlOpener()(url) : QDesktopServices::openUrl(url))
            return;
    }
    // Otherwise the program's own pages.
    if (!window) {
        const QString index = programfolder::file(folder + QStringLiteral("/index.html"));
        if (!QFileInfo::exists(index)) {
            ExerciseControls::reportMissingInstallation(this);
            return;
        }
        window = new HelpWindow(title, index, this);
        connect(window, &HelpWindow::exerciseRequested, this, [this](const QString& name) {
            const std::optional<QString> exercise =
                exercises::resolveName(programfolder::file(QStringLiteral("exercices")), name);
            if (!exercise || !exercisesMenu->confirmDropMeasurements() ||
                !exercisesMenu->confirmDropEdits())
                return;
            exercisesMenu->openExercise(*exercise, this);
            activateWindow();
            raise();
        });
        connect(window, &HelpWindow::externalLinkRequested, this, [](const QUrl& url) {
            if (urlOpener())
                urlOpener()(url);
            else
                QDesktopServices::openUrl(url);
        });
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void Prisme::Command7_Click()
{
    openHelp(QStringLiteral("KV8.hlp"), QStringLiteral("aide"), QStringLiteral("Aide d'Optiphane"),
             helpWindow);
}

void Prisme::Command9_Click()
{
    openHelp(QStringLiteral("Voirlecours.chm"), QStringLiteral("cours"),
             QStringLiteral("Cours d'optique"), courseWindow);
}

void Prisme::Command4_Click()
{
    // Under the pointer that clicked; from the keyboard (the pointer elsewhere), under the button.
    QPoint at = QCursor::pos();
    if (!Command4->rect().contains(Command4->mapFromGlobal(at)))
        at = Command4->mapToGlobal(QPoint(0, Command4->height()));
    menucopie->popup(at);
}

void Prisme::cop001_Click()
{
    // The composed picture: the incident ray and the lamp painted in, never the protractor.
    // In screen pixels, whatever the screen's pixel ratio.
    clipboardcopy::putImage(benchPicture.scale() == 1
                                ? benchPicture.composed()
                                : experimentsetup::benchDrawer(experiment)(1, false));
    setHint(CopiedMessage);
}

print::BenchPrintout Prisme::benchPrintout()
{
    print::BenchPrintout out;
    out.picture = benchPicture.scale() == 1 ? benchPicture.composed()
                                            : experimentsetup::benchDrawer(experiment)(1, false);
    out.whitePicture = experimentsetup::whiteBenchImage(experiment);
    out.parameters = experimentsetup::parameters(experiment);
    out.drawAt = experimentsetup::benchDrawer(experiment);
    return out;
}

print::TablePrintout Prisme::tablePrintout()
{
    tableControls->settleCurrentCell();
    return print::tablePrintout(table, TableGrid::RowHeightTwips, TableGrid::ColumnWidthTwips);
}

void Prisme::Command10_Click()
{
    // The picture printed is the one on the screen, the incident ray and the lamp painted in.
    confimp window(benchPrintout(), tablePrintout(), this);
    connect(&window, &confimp::printerSetUp, this,
            [this](bool chosen) { experiment.bench.printRedrawPending = chosen; });
    window.exec();
}

void Prisme::Command8_Click()
{
    Machine machine(module1().memoryValue, this);
    machine.openCalculator();
}

void Prisme::Check1_Click()
{
    Frame4->setVisible(Check1->isChecked());
}

void Prisme::fermtab_Click()
{
    Check1->setChecked(false);
}

void Prisme::Image3_Click(int index)
{
    switch (index) {
    case 1:
        Picture4->show();
        break;
    case 2:
        Picture5->show();
        break;
    case 3:
        Frame1->show();
        break;
    case 4:
        Picture6->show();
        break;
    case 5:
        protractor->open();
        break;
    default:
        break;
    }
}

void Prisme::Image5_Click()
{
    tableControls->showTableMenu(Frame4->mapToGlobal(QPoint(0, 0)));
}

// ---------------------------------------------------------------------------------------------
// Closing

void Prisme::closeEvent(QCloseEvent* event)
{
    if (exercisesMenu->textModified() &&
        dialogs::msgBox(QStringLiteral("Attention: perte des modifications du texte."),
                        dialogs::Buttons::OkCancel, dialogs::Icon::Question,
                        QStringLiteral("Abandon des données?"), this) != dialogs::Answer::Ok) {
        event->ignore();
        return;
    }
    if (dialogs::msgBox(QStringLiteral("Fermer vraiment ce simulateur ?"),
                        dialogs::Buttons::OkCancel, dialogs::Icon::Question,
                        QStringLiteral("Fermer"), this) != dialogs::Answer::Ok) {
        event->ignore();
        return;
    }
    if (m_mode == StartMode::Interactive)
        marker::write(QStringLiteral("NON"));
    event->accept();
    // The program ends with its main window, whatever other window is open.
    QCoreApplication::exit(0);
}
