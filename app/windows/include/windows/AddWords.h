#pragma once

#include "windows/ProgramValues.h"

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace trelvik {

// What the add-words window takes over from the main window each time it is shown: the source language
// switches and the two input fields.
struct SourceFields {
    bool Option1 = false; // russian
    bool Option2 = false; // english
    bool Option3 = false; // swedish
    QString Text1;        // the Russian input
    QString Text2;        // the English or Swedish input
};

// The window "Add words to user dictionary": one word in each language, stored as one user record.
class AddWords : public QDialog {
    Q_OBJECT
public:
    AddWords(ProgramValues &values, std::function<SourceFields()> readMainWindow, QWidget *parent = nullptr);

    // Hides the window; Escape and the title bar come here too, so the window survives for the next opening.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void takeOverMainWindowWord();
    void focusFirstEmptyField();
    void addWords();

    ProgramValues &m_values;
    std::function<SourceFields()> m_readMainWindow;

    QLabel *m_label3 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QLabel *m_label5 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QLabel *m_label4 = nullptr;
    QLineEdit *m_text3 = nullptr;
    QPushButton *m_command3 = nullptr;
    QPushButton *m_command1 = nullptr;
    QLabel *m_label1 = nullptr;
};

} // namespace trelvik
