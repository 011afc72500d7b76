#pragma once

#include "windows/ProgramValues.h"

#include "widgets/WindowLook.h"

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
    bool russian = false; // the source switches
    bool english = false;
    bool swedish = false;
    QString russianWord; // the Russian input field
    QString westernWord; // the English or Swedish input field
};

// The window "Add words to user dictionary": one word in each language, stored as one user record.
class AddWordsDialog : public KeptDialog {
    Q_OBJECT
public:
    AddWordsDialog(ProgramValues &values, std::function<SourceFields()> readMainWindow, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void takeOverMainWindowWord();
    void focusFirstEmptyField();
    void addWords();

    ProgramValues &m_values;
    std::function<SourceFields()> m_readMainWindow;

    QLabel *m_russianLabel = nullptr;
    QLineEdit *m_russianField = nullptr;
    QLabel *m_englishLabel = nullptr;
    QLineEdit *m_englishField = nullptr;
    QLabel *m_swedishLabel = nullptr;
    QLineEdit *m_swedishField = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QLabel *m_promptLine = nullptr;
};

} // namespace trelvik
