#pragma once

#include "app/ui/FieldBarCoupling.h"
#include "app/ui/ProgrammierhilfeTarget.h"
#include "app/ui/StationFrame.h"
#include "programming/core/CvGroupTable.h"
#include "programming/core/SpeedCurveHost.h"
#include "programming/core/ZentraleHost.h"
#include "programming/ui/AddressPanel.h"
#include "programming/ui/Cv29Panel.h"
#include "programming/ui/CvGroupGrid.h"
#include "programming/ui/PanelHost.h"
#include "programming/ui/ProtocolGrid.h"

#include <QStyle>
#include <functional>
#include <span>

class ProtocolTable;
class QAction;
class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class RisingScrollBar;
struct CvRow;

// The frame both programming windows are built of, on the frame of every station window:
// the toolbar with the speed-curve button, the view ribbons and the file caption; the
// decoder panel with the CV and value fields, the read and write buttons, the CV list, the
// protocol grid and the status bar; the parameter panel with the pause and the track-power
// buttons; the three views that slide over the window (CV 29 panel, long-address panel,
// CV-group table); the menus, the protocol's pop-up and its files and printout; the loading
// steps they share. Each window adds its own controls and connects the buttons to its own
// handlers.
class ProgrammingWindow : public StationFrame,
                          public ZentraleHost,
                          public ProgrammierhilfeTarget,
                          public SpeedCurveHost {
    Q_OBJECT
public:
    // What differs between the windows' frames.
    struct Frame {
        QString objectName;
        QString caption;
        // The window sizes in twips, frame and title bar included: on a screen of at least
        // 12030 twips, and on a narrower one (with the sliding bar).
        int largeWidth = 14145;
        int largeHeight = 6780;
        int smallWidth = 11370;
        int smallHeight = 6810;
        // The right-hand side in twips: the drive desk, the parameter panel, the CV-group
        // table (which covers both), the toolbar's width; how much taller than the
        // Intellibox window's the panels are.
        int deskLeft = 7920;
        int deskWidth = 3225;
        int parameterLeft = 11280;
        int gridWidth = 6045;
        int toolbarWidth = 14100;
        int extraHeight = 0;
        // Where the sliding bar moves the drive desk and the CV-group table, and the
        // parameter panel, from.
        int slideDeskLeft = 7890;
        int slideParameterLeft = 11250;
        // The CV field and its bar, with the bar's range, and how each of the CV and value
        // fields moves its bar.
        QString cvFieldName;
        QString cvBarName;
        int cvBarMinimum = 0;
        int cvBarMaximum = 1024;
        FieldBarCoupling::Rules cvRules;
        FieldBarCoupling::Rules wertRules;
        // Menu texts and parts.
        QString dateiMenu;
        QString cvGroupsItem;
        QString dateiCloseItem;
        QString closeItem;
        bool versionItem = true;  // "&Softwarestand und Geräte-Nr. auslesen"
        bool editMenu = true;     // "&Bearbeiten" with cut, copy and paste
        // The help page of "&?"; empty: the page chosen last (HelpPage).
        QString helpPage;
        ProtocolGrid::Options protocolOptions;
        CvGroupGrid::Options groupGridOptions;
        CvGroupTable::LetterRule letterRule = CvGroupTable::LetterRule::ByDecoderType;
    };

    ~ProgrammingWindow() override;

    // ZentraleHost; its writeProtokoll also serves the speed-curve editor.
    void setStatus(const QString& text) override;
    QString status() const override;
    void setBusyPointer(bool busy) override;
    void writeProtokoll(const QString& mode, const QString& cv, const QString& value) override;

    // SpeedCurveHost: the editor's transfer goes through this window's guard and protocol;
    // each window makes the programmer for its station.
    StationLink& stationLink() const override { return m_link; }
    StationLink::Exchange beginExchange() override;

    // ProgrammierhilfeTarget: the programming aid writes its value into txtWert.
    QWidget* targetWindow() override { return this; }
    void setWert(const QString& value) override;

    // Opens the programming aid (modeless; the aid writes into txtWert). Until installed,
    // the "+" button stays disabled.
    void setProgrammingAidOpener(std::function<void()> open);
    // Opens the speed-curve editor (modeless, one instance, this window its host). Until
    // installed, btnKennlinie and its menu entry stay disabled, as they do while the
    // window's station cannot carry the transfer (a 6021).
    void setSpeedCurveOpener(std::function<void()> open);

    ProtocolTable& protocol() const { return *m_protocol; }
    CvGroupGrid& groupGrid() const { return *grdGR; }
    CvGroupTable& groupTable() const { return *m_groupTable; }
    StationLink& link() const { return m_link; }

    // The three views.
    void showCv29View(bool shown);
    void showLaView(bool shown);
    void showCvGroupView(bool shown);

protected:
    // `dialog` is the main window's file dialog, used by the table and protocol files.
    ProgrammingWindow(AppContext& ctx, StationLink& link, Dialog& dialog, Frame frame, QWidget* parent = nullptr);

    // The decoder panel's shared controls, made after the window's own controls at its top,
    // so the keyboard walks from those to the fields.
    void buildDecoderPanel();
    // Built by the window after its own controls: the long-address and CV 29 views with the
    // window's read/write-CV interface, and the CV-group table.
    void buildViews(AddressPanel::Programmers addressProgrammers, AddressPanel::Options addressOptions,
                    CvProgrammerSource cv29Programmer, Cv29Panel::Options cv29Options);
    // The menus, once the views stand (the edit menu acts on the CV-group table).
    void buildMenus();
    // Places the drive desk the window built into the frame, and the parameter panel beside it.
    void placeDriveDesk(QWidget* desk);

    // Loading steps every programming window shares: the size by the screen, the position,
    // the right-aligned menus, empty tables.
    void loadFrame();

    PanelHost panelHost();
    // The station or interface choice: a ribbon button with its label under it per choice,
    // in one exclusive group whose presses (not releases) go to `pressed`. A click on a
    // label reaches the window's event filter.
    QButtonGroup* choiceButtons(QFrame* panel, const QString& buttonName, const QString& labelName,
                                const QStringList& tips, const QStringList& labels, QStyle::StandardPixmap icon,
                                std::span<QToolButton*> buttons, std::span<QLabel*> labelsOut,
                                std::function<void(int)> pressed);
    // Offers the speed-curve editor where an opener is set and the station can carry it.
    void updateSpeedCurveEntry();
    // The number a field's text starts with, rounded, held to 16 bits.
    static qint16 fieldNumber(const QString& text);

    // The CV-group table's "aktuelle Zeile schreiben / lesen" for row r.
    virtual void runCurrentRow(int r) = 0;
    // The CV-group table's run, "Tabelle schreiben / lesen".
    virtual void runTable() = 0;

    const Frame m_frame;
    ProtocolTable* m_protocol = nullptr;
    CvGroupTable* m_groupTable = nullptr;

    // Controls.
    QFrame* pnlToolbar = nullptr;
    QToolButton* btnKennlinie = nullptr;
    QFrame* SSPanel1 = nullptr;
    QFrame* pnlDatei = nullptr;
    QLabel* lblDatei = nullptr;
    QToolButton* rbnCVGruppen = nullptr;
    QToolButton* rbnLA = nullptr;
    QToolButton* rbnCV29 = nullptr;

    QFrame* pnlDecoder = nullptr;
    QLabel* lblRegister = nullptr;
    QListWidget* lstRegister = nullptr;
    QLineEdit* txtCvField = nullptr;  // txtRegister / txtCV
    RisingScrollBar* scrCvField = nullptr;  // scrRegister / scrCV
    QLineEdit* txtWert = nullptr;
    RisingScrollBar* scrWert = nullptr;
    QPushButton* btnLesen = nullptr;
    QPushButton* btnSchreiben = nullptr;
    QPushButton* btnProgrammierhilfe = nullptr;
    ProtocolGrid* grdKP = nullptr;
    QLabel* stbStatus = nullptr;

    QWidget* pnlFahrpult = nullptr;
    QFrame* pnlParameter = nullptr;
    AddressPanel* pnlLA = nullptr;
    Cv29Panel* pnlCV29 = nullptr;
    CvGroupGrid* grdGR = nullptr;

    QAction* mnuDatei_Kennlinie = nullptr;
    QAction* mnuDatei_CVGruppen = nullptr;
    QAction* mnuDatei_Softwarestand = nullptr;
    QAction* mnuDatei_LA = nullptr;
    QAction* mnuDatei_CV29 = nullptr;

private:
    void buildToolbar(QWidget* central);
    void buildParameterPanel(QWidget* central);
    void updateDecoderPanelEnabled();
    void saveProtocol() override;
    void printProtocol() override;
    void protocolEditMode();
    void protocolFileAction(const std::function<void(const QList<CvRow>&)>& action);
    // A top or height of the Intellibox window's layout, moved down or stretched by this
    // window's extra height.
    int down(int twipsValue) const { return twipsValue + m_frame.extraHeight; }

    std::function<void()> m_openProgrammingAid;
    std::function<void()> m_openSpeedCurve;
};
