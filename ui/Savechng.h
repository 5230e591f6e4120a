// The save-changes dialog: asks on leaving whether profile.dat is to be saved.
#pragma once

#include "ui_Savechng.h"

#include <QDialog>
#include <QPointer>

// The answers of the dialog, as the closing sequence reads them.
enum TModalResult : int { mrCancel = 2, mrYes = 6, mrNo = 7 };

class TfSaveChanges : public QDialog, private Ui::TfSaveChanges {
    Q_OBJECT

public:
    explicit TfSaveChanges(QWidget* parent = nullptr);

    // The window the dialog belongs to: it stays above it, modal, for as long as it is up.
    void setOwner(QWidget& owner);

    // Esc answers No, as "&Ne" does.
    void reject() override;

protected:
    // The close box answers Cancel, as "Zpět" does.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QPointer<QWidget> owner;
};
