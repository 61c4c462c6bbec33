#pragma once
// The small dialog that confirms a finished send: "Script ausgeführt" and "OK".
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace velmora {

namespace ui {

class wBestaetigung : public QDialog {
    Q_OBJECT
public:
    wBestaetigung();

    // Shows the dialog modally; returns when it is closed. The dialog deletes itself then.
    void ShowModal();

    QLabel* StaticText1() const;
    QPushButton* pbOK() const;

    void pbOK_Action();

protected:
    // Escape must not close the dialog; only "OK", Return and the close box do.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Layout();
    void CreateControls();
    void CreateControls0();  // the runtime's _CreateControls0
};

}  // namespace ui

// The open completion dialog, or a freshly built one.
ui::wBestaetigung* wBestaetigung();

}  // namespace velmora
