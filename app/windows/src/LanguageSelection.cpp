// What the source switches and the target list do to the window: keyboards, twins and pane headings.
#include "windows/MainWindow.h"

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

void MainWindow::sourceSelected(Language language)
{
    const bool russian = language == Language::Russian;
    const bool typing = m_russianField->hasFocus() || m_westernField->hasFocus();
    m_russianKeyboard->setVisible(russian);
    m_englishKeyboard->setVisible(language == Language::English);
    m_swedishKeyboard->setVisible(language == Language::Swedish);
    m_russianField->setVisible(russian);
    m_westernField->setVisible(!russian);
    m_inputBuffer.clear();
    m_cyrillicNearestPane->setVisible(russian);
    m_westernNearestPane->setVisible(!russian);
    if (!russian)
        m_westernField->setAccessibleName(language == Language::English ? QStringLiteral("English word")
                                                                        : QStringLiteral("Swedish word"));
    nameKeys(language);
    showInputBuffer();
    showLanguageHeadings();
    if (typing)
        (russian ? m_russianField : m_westernField)->setFocus();
}

void MainWindow::targetSelected(int index)
{
    const std::optional<Language> target = TargetLanguageAt(index);
    const bool russian = target == Language::Russian;
    m_cyrillicTranslation->setVisible(russian);
    // The Western translation line stays visible under its Cyrillic twin; while covered it must not take the
    // focus, or Tab would lead into a line nobody can see.
    if (russian && m_westernTranslation->hasFocus())
        m_cyrillicTranslation->setFocus(Qt::OtherFocusReason);
    m_westernTranslation->setFocusPolicy(russian ? Qt::NoFocus : Qt::StrongFocus);
    showLanguageHeadings();
    if (target == Language::Russian || target == Language::English) {
        setPair(m_westernTranslationsPane, m_cyrillicTranslationsPane, targetHeading(index));
    } else {
        // Until the next heading reset the Western pane names the country, the Cyrillic one the language.
        m_westernTranslationsPane->setPlainText(QStringLiteral("SWEDEN"));
        m_cyrillicTranslationsPane->setPlainText(QStringLiteral("SWEDISH"));
    }
    m_cyrillicTranslationsPane->setVisible(russian);
    m_westernTranslationsPane->setVisible(!russian);
}

void MainWindow::showLanguageHeadings()
{
    const std::string_view source = m_russianSwitch->isChecked()   ? LanguageHeading(Language::Russian)
                                    : m_englishSwitch->isChecked() ? LanguageHeading(Language::English)
                                                                   : LanguageHeading(Language::Swedish);
    setPair(m_westernNearestPane, m_cyrillicNearestPane, source);
    setPair(m_westernTranslationsPane, m_cyrillicTranslationsPane, targetHeading(m_targetList->currentIndex()));
    setPair(m_westernTranslation, m_cyrillicTranslation, {});
}

// Each twin shows the same bytes through its own code page: Western twins Windows-1252, Cyrillic twins
// Windows-1251.
void MainWindow::setPair(QLineEdit *western, QLineEdit *cyrillic, std::string_view bytes)
{
    western->setText(FromSingleByte(bytes, CodePage::Windows1252));
    cyrillic->setText(FromSingleByte(bytes, CodePage::Windows1251));
    // The first translations are the best ones: show the start of a line too long for the field.
    western->setCursorPosition(0);
    cyrillic->setCursorPosition(0);
}

void MainWindow::setPair(QPlainTextEdit *western, QPlainTextEdit *cyrillic, std::string_view bytes)
{
    western->setPlainText(FromSingleByte(bytes, CodePage::Windows1252));
    cyrillic->setPlainText(FromSingleByte(bytes, CodePage::Windows1251));
}

} // namespace trelvik
