#pragma once

#include "windows/ProgramValues.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace trelvik {

// The window "Dictionary / Options": the two translation options, the number of user records and a second
// way into the add-words window.
class OptionsF : public QDialog {
    Q_OBJECT
public:
    // Reads the user dictionary once, here: the count shown is the one of the window's creation.
    OptionsF(ProgramValues &values, std::function<void(QWidget *over)> openAddWords, QWidget *parent = nullptr);

    // Hides the window without storing the options; the title bar's close also ends here, then discards it.
    void reject() override;

private:
    void createControls();
    void loadCount();
    void storeOptions();

    ProgramValues &m_values;
    std::function<void(QWidget *over)> m_openAddWords;

    QGroupBox *m_frame1 = nullptr;
    QPushButton *m_command3 = nullptr;
    QCheckBox *m_check1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_label1 = nullptr;
    QCheckBox *m_check2 = nullptr;
    QLabel *m_check2Caption = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_command1 = nullptr;
};

} // namespace trelvik
