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
    const bool typing = m_sourceField.hasFocus();
    m_russianKeyboard->setVisible(russian);
    m_englishKeyboard->setVisible(language == Language::English);
    m_swedishKeyboard->setVisible(language == Language::Swedish);
    m_sourceField.showCyrillic(russian);
    m_inputBuffer.clear();
    m_nearestPane.showCyrillic(russian);
    if (!russian)
        m_sourceField.western()->setAccessibleName(language == Language::English ? QStringLiteral("English word")
                                                                                 : QStringLiteral("Swedish word"));
    nameKeys(language);
    showInputBuffer();
    showLanguageHeadings();
    if (typing)
        m_sourceField.twin(russian)->setFocus();
}

void MainWindow::targetSelected(int index)
{
    const std::optional<Language> target = TargetLanguageAt(index);
    const bool russian = target == Language::Russian;
    m_translation.cyrillic()->setVisible(russian);
    // The Western translation line stays visible under its Cyrillic twin; while covered it must not take the
    // focus, or Tab would lead into a line nobody can see.
    if (russian && m_translation.western()->hasFocus())
        m_translation.cyrillic()->setFocus(Qt::OtherFocusReason);
    m_translation.western()->setFocusPolicy(russian ? Qt::NoFocus : Qt::StrongFocus);
    showLanguageHeadings();
    if (target == Language::Russian || target == Language::English) {
        m_translationsPane.setBytes(targetHeading(index));
    } else {
        // Until the next heading reset the Western pane names the country, the Cyrillic one the language.
        m_translationsPane.setTexts(QStringLiteral("SWEDEN"), QStringLiteral("SWEDISH"));
    }
    m_translationsPane.showCyrillic(russian);
}

void MainWindow::showLanguageHeadings()
{
    const std::string_view source = m_russianSwitch->isChecked()   ? LanguageHeading(Language::Russian)
                                    : m_englishSwitch->isChecked() ? LanguageHeading(Language::English)
                                                                   : LanguageHeading(Language::Swedish);
    m_nearestPane.setBytes(source);
    m_translationsPane.setBytes(targetHeading(m_targetList->currentIndex()));
    m_translation.setBytes({});
}

} // namespace trelvik
