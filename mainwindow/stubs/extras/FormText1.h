#pragma once
// Stand-in until the real voice-examples window builds; same interface.
#include <QDialog>

namespace trelvik {

class FormText1 : public QDialog {
    Q_OBJECT
public:
    explicit FormText1(const QString &appFolder, QWidget *parent = nullptr);

protected:
    void reject() override { hide(); }
};

} // namespace trelvik
