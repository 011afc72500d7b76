// The on-screen keyboard: the edit buffer and the routines that move it in and out of the input field.
#include "windows/Dictionary.h"

#include "qttext/QtText.h"

#include <QLineEdit>
#include <QRadioButton>

namespace trelvik {

Language dictionary::keyLanguage() const noexcept
{
    if (m_option2->isChecked())
        return Language::English;
    if (m_option1->isChecked())
        return Language::Russian;
    return Language::Swedish;
}

QLineEdit *dictionary::inputField() const noexcept
{
    return (m_option2->isChecked() || m_option3->isChecked()) ? m_text2 : m_text1;
}

CodePage dictionary::inputCodePage() const noexcept
{
    return inputField() == m_text1 ? CodePage::Windows1251 : CodePage::Windows1252;
}

bool dictionary::readInputField(std::string &bytes) const
{
    // The validator keeps out what the code page cannot hold; should anything slip past it, the field is
    // left alone rather than rewritten with a lossy copy.
    return ToSingleByte(inputField()->text(), inputCodePage(), bytes);
}

void dictionary::keyClicked(const KeyDef &key)
{
    switch (key.action) {
    case KeyAction::DeleteAll: textDEl(); break;
    case KeyAction::Backspace: backspace(); break;
    case KeyAction::Space:
    case KeyAction::Letter: textMY(KeyCharacter(key, keyLanguage())); break;
    }
}

void dictionary::textMY(std::string_view charMY)
{
    if (!readInputField(m_inputBuffer))
        return;
    m_inputBuffer.append(charMY);
    ToText();
}

void dictionary::textDEl()
{
    m_inputBuffer.clear();
    ToText();
}

void dictionary::backspace()
{
    if (!readInputField(m_inputBuffer) || m_inputBuffer.empty())
        return;
    m_inputBuffer.pop_back();
    ToText();
}

void dictionary::ToText()
{
    inputField()->setText(FromSingleByte(m_inputBuffer, inputCodePage()));
}

} // namespace trelvik
