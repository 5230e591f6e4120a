// The main window of T/ROVA: every planner setting on three pages, the compute and exit buttons.
#pragma once

#include <QDialog>

#include <memory>
#include <string>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class TProfile;

namespace Ui {
class TfKoraxGUI;
}

// What the close handler lets happen: the window hides (and the program ends) or stays.
enum class TCloseAction { caNone, caHide };

class TfKoraxGUI : public QDialog {
    Q_OBJECT

public:
    // Builds the window and runs FormCreate. Throws ProfileOpenError when profile.dat cannot be
    // opened; any other failure of FormCreate is reported and the window still opens.
    explicit TfKoraxGUI(QWidget* parent = nullptr);
    ~TfKoraxGUI() override;

    QTabWidget* PageControl1 = nullptr;
    QWidget* tsDive = nullptr;
    QGroupBox* gbDeepStops = nullptr;
    QLabel* lPyleStopTime = nullptr;
    QLineEdit* edPyleStopTime = nullptr;
    QCheckBox* chbDeepStops = nullptr;
    QGroupBox* rgDeepStops = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label11 = nullptr;
    QLineEdit* edAltitude = nullptr;
    QLineEdit* edConservatism = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLineEdit* edStopDistance = nullptr;
    QLineEdit* edLastStopDepth = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QWidget* tsGases = nullptr;
    QGroupBox* GroupBox7 = nullptr;
    QLabel* Label13 = nullptr;
    QLineEdit* edRmv = nullptr;
    QCheckBox* chbOxyNarc = nullptr;
    QLabel* Label14 = nullptr;
    QLineEdit* edDecoRmv = nullptr;
    QLabel* Label15 = nullptr;
    QLineEdit* edSlideRate = nullptr;
    QCheckBox* chbUseOCDeco = nullptr;
    QLabel* lOCDecoGas = nullptr;
    QLineEdit* edOcDecoGas = nullptr;
    QLabel* Label17 = nullptr;
    QLineEdit* edOcDecoMaxPO2 = nullptr;
    QLabel* Label18 = nullptr;
    QLineEdit* edMaxEND = nullptr;
    QGroupBox* Config = nullptr;
    QGroupBox* rgAlgorithm = nullptr;
    QGroupBox* rgUnits = nullptr;
    QCheckBox* chbSaltWater = nullptr;
    QLineEdit* edPrecision = nullptr;
    QLabel* Label2 = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* Button1 = nullptr;
    QWidget* tsKorax = nullptr;
    QGroupBox* gbFiles = nullptr;
    QLabel* lTissue = nullptr;
    QLineEdit* edTissueFile = nullptr;
    QLabel* lOutputFile = nullptr;
    QLineEdit* edOutputFile = nullptr;
    QGroupBox* gbRepetitiveDives = nullptr;
    QCheckBox* chbRepetitiveDives = nullptr;
    QCheckBox* chbUpdateTissue = nullptr;
    QLabel* Label12 = nullptr;
    QLineEdit* edSurfaceInterval = nullptr;
    QLabel* lblAbout = nullptr;
    QLabel* lblAbout2 = nullptr;
    QLabel* lblAbout3 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label21 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label16 = nullptr;
    QGroupBox* GroupBox8 = nullptr;
    QLabel* Label19 = nullptr;
    QGroupBox* GroupBox5 = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* mDescentRates = nullptr;
    QPlainTextEdit* mAscentRates = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label22 = nullptr;
    QLabel* Label3 = nullptr;
    QTableWidget* sgDiveProfile = nullptr;
    QCheckBox* chDeleteFiles = nullptr;

    void FormCreate();
    void Button1Click();
    void chbUseOCDecoClick();
    void chbDeepStopsClick();
    void FormClose(TCloseAction& action);
    void BitBtn1Click();
    void InvalidateRepetitiveDives();
    void chbRepetitiveDivesClick();
    void PageControl1Change();

    void InvalidateDeepStops();
    // Every setting from profile into the controls, with the hints and the interlocks.
    void LoadProfile(TProfile& profile);
    // Every control into profile's lines; 0 (after its message) when the stop distance is refused.
    int StoreProfile(TProfile& profile);

    // Esc: the same as a click on "&Konec".
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bindControls(Ui::TfKoraxGUI& form);
    void connectHandlers();
    // Returns whether the settings were saved; a refused setting keeps the window open.
    bool SaveProfileOnClose();

    int runCounter = 1;
    std::string outputBaseName;
    int computePressed = 0;
    std::unique_ptr<TProfile> profile;
};

// The one main window, created first at start-up.
extern TfKoraxGUI* fKoraxGUI;
