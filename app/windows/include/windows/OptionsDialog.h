#pragma once

#include "windows/ProgramValues.h"

#include "widgets/WindowLook.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace trelvik {

// The window "Dictionary / Options": the two translation options, the number of user records and a second
// way into the add-words window.
class OptionsDialog : public KeptDialog {
    Q_OBJECT
public:
    // Reads the user dictionary once, here: the count shown is the one of the window's creation.
    OptionsDialog(ProgramValues &values, std::function<void(QWidget *over)> openAddWords, QWidget *parent = nullptr);

private:
    void createControls();
    void loadCount();
    void storeOptions();

    ProgramValues &m_values;
    std::function<void(QWidget *over)> m_openAddWords;

    QGroupBox *m_userDictFrame = nullptr;
    QPushButton *m_addWordsButton = nullptr;
    QCheckBox *m_useUserDictBox = nullptr;
    QLabel *m_countLabel = nullptr;
    QLabel *m_countCaption = nullptr;
    QCheckBox *m_synonymsBox = nullptr;
    QLabel *m_synonymsCaption = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

} // namespace trelvik
