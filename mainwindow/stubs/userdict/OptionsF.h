#pragma once
// Stand-in until the real options window builds; same interface.
#include "engine/TranslateWord.h"

#include <QDialog>

#include <functional>

namespace trelvik {

class OptionsF : public QDialog {
    Q_OBJECT
public:
    OptionsF(ProgramValues &values, std::function<void(QWidget *over)> openAddWords, QWidget *parent = nullptr);

protected:
    void reject() override { hide(); }
};

} // namespace trelvik
