#pragma once
// Stand-in until the real add-words window builds; same interface.
#include "engine/TranslateWord.h"

#include <QDialog>
#include <QString>

#include <functional>

namespace trelvik {

struct SourceFields {
    bool Option1 = false, Option2 = false, Option3 = false;
    QString Text1, Text2;
};

class AddWords : public QDialog {
    Q_OBJECT
public:
    AddWords(ProgramValues &values, std::function<SourceFields()> readMainWindow, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override { hide(); }

private:
    std::function<SourceFields()> m_readMainWindow;
};

} // namespace trelvik
