// SPDX-License-Identifier: GPL-3.0-or-later
// The main window `Prisme`: the optical bench, the five tool panels, the table panel, the rich-text
// area with its file-name box, the row of command buttons and the hint bar. It lives as long as the
// program: its start-up sequence prepares the experiment, and closing it ends the program.
//
// The window builds its own controls (the command row, the panels' frames and titles, the text
// area, the hint bar) and hands the panels to the subsystems' controllers, which build what lies
// in them and talk back by signals. Every control keeps its historical name (Command1, Option3,
// HScroll1, …) as its object name.
#pragma once

#include "core/bench/redraw.h"
#include "core/config/configuration.h"
#include "core/experiment/experiment.h"
#include "core/print/printlayout.h"
#include "core/table/tablemodel.h"
#include "gui/app/clicklabel.h"

#include <QFont>
#include <QHash>
#include <QLabel>
#include <QPointer>
#include <QSize>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class BenchControls;
class ExerciseControls;
class HelpWindow;
class ProtractorControls;
class TableControls;
class TableGrid;
class BenchView;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTextEdit;
class QTimer;
class QUrl;
class QWindow;

class Prisme : public QWidget {
    Q_OBJECT
public:
    // A command-line run builds the same window off-screen but leaves the marker file alone.
    enum class StartMode { Interactive, CommandLine };

    static constexpr int DesignWidth = 791;
    static constexpr int DesignHeight = 565;
    // The window's type, at the designed size.
    static QFont DesignFont() { return QFont(QStringLiteral("MS Sans Serif"), 8); }

    // The hint shown at start and over the window's background.
    static inline const QString StartHint = QStringLiteral(
        "Vous pouvez modifier les paramètres,\r\nouvrir une configuration ou un exercice");
    // The hint bar's message after a copy to the clipboard.
    static inline const QString CopiedMessage = QStringLiteral(
        "L'image est copiée: vous pouvez la retrouver depuis toute application (coller)");

    explicit Prisme(StartMode mode = StartMode::Interactive, QWidget* parent = nullptr);
    ~Prisme() override;

    // Tests: the screen size the size rule sees (an empty size brings back the real screen), and
    // the opener that hands the help files to the desktop's viewer.
    static void setScreenSizeOverride(QSize size);
    using UrlOpener = std::function<bool(const QUrl&)>;
    static void setUrlOpener(UrlOpener opener);

    // The bench's controls and their handlers; the redraw cycle goes through them.
    BenchControls* bench = nullptr;
    // The protractor over the bench and its read-out panel.
    ProtractorControls* protractor = nullptr;

    // The hint bar.
    void setHint(const QString& text);
    QString hint() const;

    // The welcome text in the rich-text box (start-up, and when an exercise is closed).
    void showStartupText();
    // What an opened exercise hides: the table, the protractor and the four panels.
    void hideForExercise();
    // The exercise menu and what its items do.
    ExerciseControls* exercisesMenu = nullptr;
    // The program's own help and course windows, made at their first use.
    HelpWindow* helpWindow = nullptr;
    HelpWindow* courseWindow = nullptr;

    // Configuration files. The experiment as the controls hold it now; written to a file (the
    // window's title then names it); saving with the failure message; a file read and applied,
    // or the French message of what went wrong (nothing applied); opening the file named by
    // currentConfigPath with the messages.
    Configuration currentConfiguration();
    bool writeConfiguration(const QString& path);
    bool saveConfiguration(const QString& path);
    std::optional<QString> openConfiguration(const QString& path);
    void loadConfiguration(const QString& path);
    void applyConfiguration(const Configuration& configuration);
    void Command11_Click(); // "&Enregistrer"
    void Command2_Click();  // "&Ouvrir"

    // Handlers of the window itself.
    void Form_Load();
    void Form_Resize(); // the size rule
    // Maximized or in full screen, the layout at the largest factor that fits the window, centred
    // (zoom.h); otherwise at its designed size. F11 ("Plein écran") goes to full screen and back.
    void fitLayout();
    double layoutFactor() const { return m_zoom; }
    void toggleFullScreen();
    void Command1_Click();
    void Command7_Click();
    void Command9_Click();
    void Command4_Click();
    void cop001_Click();    // "Copier le schéma de l'expérience"
    void Command10_Click(); // "&Imprimer"
    // What the printouts show: the bench picture as on the screen with the parameters of the
    // experiment, and the table as displayed (its current cell's typed text settled first).
    print::BenchPrintout benchPrintout();
    print::TablePrintout tablePrintout();
    void Command8_Click();
    void Check1_Click();
    void fermtab_Click();
    void Image3_Click(int index);
    void Image5_Click();

    // The bench.
    BenchPicture benchPicture;
    // The experiment the windows show and write: the bench's settings and record, the table.
    Experiment experiment;
    // The measurement table (the experiment's) and the handlers of its grid and menus.
    TableModel& table = experiment.table;
    TableControls* tableControls = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Command row.
    QPushButton* Command2 = nullptr;  // "&Ouvrir"
    QPushButton* Command11 = nullptr; // "&Enregistrer"
    QPushButton* Command4 = nullptr;  // "Co&pier"
    QPushButton* Command10 = nullptr; // "&Imprimer"
    QPushButton* Check1 = nullptr;    // "&Tableau", a check box drawn as a button
    QPushButton* Command8 = nullptr;  // "&Calculatrice"
    QPushButton* Command9 = nullptr;  // "&Voir le cours"
    QPushButton* Command7 = nullptr;  // "&Aide"
    QPushButton* Command1 = nullptr;  // "&Fermer"

    QWidget* Frame3 = nullptr; // holds the bench
    BenchView* dessin = nullptr;

    // Panels, hidden at start, and their titles (a click on a title hides its panel).
    QFrame* Picture4 = nullptr; // half-disc material
    QFrame* Picture5 = nullptr; // outer medium
    QFrame* Picture6 = nullptr; // light source
    QFrame* Frame1 = nullptr;   // display options
    QFrame* Picture2 = nullptr; // protractor read-out
    QFrame* Frame4 = nullptr;   // the table, over Picture4, Picture5 and Picture6
    ClickLabel* Label19 = nullptr;
    ClickLabel* Label32 = nullptr;
    ClickLabel* Label23 = nullptr;
    ClickLabel* Label2 = nullptr;
    ClickLabel* Label25 = nullptr;
    ClickLabel* Label3 = nullptr;
    // Panel icons, elements 1 to 5 (element 0 unused).
    std::array<ClickLabel*, 6> Image3{};
    ClickLabel* Image4 = nullptr; // closes the protractor
    ClickLabel* Image5 = nullptr; // the table's menu

    QLabel* info = nullptr;         // the hint bar
    QLineEdit* fich = nullptr;      // what the rich-text box shows
    QTextEdit* supertext = nullptr; // start-up text, exercise statements
    ClickLabel* btexo = nullptr;    // the exercise menu

    // The copy menu; every item's object name is its historical name.
    QMenu* menucopie = nullptr;
    QAction* cop003 = nullptr;
    QAction* cop002 = nullptr;
    QAction* cop001 = nullptr;

    void createControls();
    void createCommandRow();
    void createBenchPanels();
    void createProtractorPanel();
    void createTablePanel();
    void createTextArea();
    void createMenus();
    void createHints();
    // The accessible names, the Tab order, and the focus going into a panel opened from the
    // keyboard and back to its icon when it closes (prismefocus.cpp).
    void createKeyboardAccess();
    void panelShownOrHidden(QObject* panel, bool shown);
    void updateCoveredControls();
    void connectControls();
    QFrame* createPanel(const QRect& place, const char* name, ClickLabel*& title,
                        const char* titleName, const QString& titleText);
    void openHelp(const QString& oldFile, const QString& folder, const QString& title,
                  HelpWindow*& window);
    QRect screenGeometry() const;
    void showIcons();

    StartMode m_mode;
    QHash<const QObject*, QString> m_hints;
    // What opens a panel from the keyboard, and where the focus goes in it.
    struct PanelKeys {
        QWidget* opener = nullptr;
        QWidget* firstControl = nullptr;
    };
    QHash<const QObject*, PanelKeys> m_panelKeys;
    // The dialog that has the keyboard: closed, the keyboard comes back to this window.
    QPointer<QWindow> m_dialogWindow;
    bool m_inSizeRule = false;
    double m_zoom = 1;
    QPoint m_zoomOffset;
    double m_iconScale = 1; // what the icons were drawn at
};
