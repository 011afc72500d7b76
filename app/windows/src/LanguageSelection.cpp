// What the source switches and the target list do to the window: keyboards, twins and pane headings.
#include "windows/Dictionary.h"

#include "engine/Presentation.h"
#include "qttext/QtText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <iterator>

namespace trelvik {

namespace {

// An index the list does not have (nothing picked) shows the Swedish heading.
std::string_view targetHeading(int index) noexcept
{
    return LanguageHeading(TargetLanguageAt(index).value_or(Language::Swedish));
}

} // namespace

std::optional<Language> TargetLanguageAt(int index) noexcept
{
    if (index < 0 || index >= static_cast<int>(std::size(kTargetList)))
        return std::nullopt;
    return kTargetList[static_cast<std::size_t>(index)];
}

int TargetIndexOf(Language language) noexcept
{
    int index = 0;
    while (kTargetList[static_cast<std::size_t>(index)] != language)
        ++index;
    return index;
}

void dictionary::sourceSelected(Language language)
{
    const bool russian = language == Language::Russian;
    const bool typing = m_text1->hasFocus() || m_text2->hasFocus();
    m_klav1ru->setVisible(russian);
    m_klav1en->setVisible(language == Language::English);
    m_klav1sv->setVisible(language == Language::Swedish);
    m_text1->setVisible(russian);
    m_text2->setVisible(!russian);
    m_inputBuffer.clear();
    m_text11r->setVisible(russian);
    m_text11->setVisible(!russian);
    if (!russian)
        m_text2->setAccessibleName(language == Language::English ? QStringLiteral("English word")
                                                                 : QStringLiteral("Swedish word"));
    nameKeys(language);
    ToText();
    TextNignii();
    if (typing)
        (russian ? m_text1 : m_text2)->setFocus();
}

void dictionary::targetSelected(int index)
{
    const std::optional<Language> target = TargetLanguageAt(index);
    const bool russian = target == Language::Russian;
    m_textPole0R->setVisible(russian);
    // The Western translation line stays visible under its Cyrillic twin; while covered it must not take the
    // focus, or Tab would lead into a line nobody can see.
    if (russian && m_textPole0S->hasFocus())
        m_textPole0R->setFocus(Qt::OtherFocusReason);
    m_textPole0S->setFocusPolicy(russian ? Qt::NoFocus : Qt::StrongFocus);
    TextNignii();
    if (target == Language::Russian || target == Language::English) {
        setPair(m_text22, m_text22r, targetHeading(index));
    } else {
        // Until the next heading reset the Western pane names the country, the Cyrillic one the language.
        m_text22->setPlainText(QStringLiteral("SWEDEN"));
        m_text22r->setPlainText(QStringLiteral("SWEDISH"));
    }
    m_text22r->setVisible(russian);
    m_text22->setVisible(!russian);
}

void dictionary::TextNignii()
{
    const std::string_view source = m_option1->isChecked()   ? LanguageHeading(Language::Russian)
                                    : m_option2->isChecked() ? LanguageHeading(Language::English)
                                                             : LanguageHeading(Language::Swedish);
    setPair(m_text11, m_text11r, source);
    setPair(m_text22, m_text22r, targetHeading(m_combo1->currentIndex()));
    setPair(m_textPole0S, m_textPole0R, {});
}

// Each twin shows the same bytes through its own code page: Western twins Windows-1252, Cyrillic twins
// Windows-1251.
void dictionary::setPair(QLineEdit *western, QLineEdit *cyrillic, std::string_view bytes)
{
    western->setText(FromSingleByte(bytes, CodePage::Windows1252));
    cyrillic->setText(FromSingleByte(bytes, CodePage::Windows1251));
    // The first translations are the best ones: show the start of a line too long for the field.
    western->setCursorPosition(0);
    cyrillic->setCursorPosition(0);
}

void dictionary::setPair(QPlainTextEdit *western, QPlainTextEdit *cyrillic, std::string_view bytes)
{
    western->setPlainText(FromSingleByte(bytes, CodePage::Windows1252));
    cyrillic->setPlainText(FromSingleByte(bytes, CodePage::Windows1251));
}

} // namespace trelvik
