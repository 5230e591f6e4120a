// The save-changes dialog: asks on leaving whether profile.dat is to be saved.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The answers of the dialog, as the closing sequence reads them.
enum TModalResult : int { mrCancel = 2, mrYes = 6, mrNo = 7 };

class TfSaveChanges : public QDialog {
    Q_OBJECT

public:
    explicit TfSaveChanges(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

    // Esc answers No, as "&Ne" does.
    void reject() override;

protected:
    // The close box answers Cancel, as "Zpět" does.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

// The one dialog, created hidden at start-up and shown only while the main window closes.
extern TfSaveChanges* fSaveChanges;
