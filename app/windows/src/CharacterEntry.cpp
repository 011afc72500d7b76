// The on-screen keyboard: the edit buffer and the routines that move it in and out of the input field.
#include "windows/MainWindow.h"

#include "qttext/QtText.h"

#include <QLineEdit>
#include <QRadioButton>

namespace trelvik {

Language MainWindow::keyLanguage() const noexcept
{
    if (m_englishSwitch->isChecked())
        return Language::English;
    if (m_russianSwitch->isChecked())
        return Language::Russian;
    return Language::Swedish;
}

QLineEdit *MainWindow::inputField() const noexcept
{
    return m_sourceField.twin(!m_englishSwitch->isChecked() && !m_swedishSwitch->isChecked());
}

CodePage MainWindow::inputCodePage() const noexcept
{
    return inputField() == m_sourceField.cyrillic() ? CodePage::Windows1251 : CodePage::Windows1252;
}

bool MainWindow::readInputField(std::string &bytes) const
{
    // The validator keeps out what the code page cannot hold; should anything slip past it, the field is
    // left alone rather than rewritten with a lossy copy.
    return ToSingleByte(inputField()->text(), inputCodePage(), bytes);
}

void MainWindow::keyClicked(const KeyDef &key)
{
    switch (key.action) {
    case KeyAction::DeleteAll: clearInput(); break;
    case KeyAction::Backspace: backspace(); break;
    case KeyAction::Space:
    case KeyAction::Letter: appendToInput(KeyCharacter(key, keyLanguage())); break;
    }
}

void MainWindow::appendToInput(std::string_view character)
{
    if (!readInputField(m_inputBuffer))
        return;
    m_inputBuffer.append(character);
    showInputBuffer();
}

void MainWindow::clearInput()
{
    m_inputBuffer.clear();
    showInputBuffer();
}

void MainWindow::backspace()
{
    if (!readInputField(m_inputBuffer) || m_inputBuffer.empty())
        return;
    m_inputBuffer.pop_back();
    showInputBuffer();
}

void MainWindow::showInputBuffer()
{
    inputField()->setText(FromSingleByte(m_inputBuffer, inputCodePage()));
}

} // namespace trelvik
