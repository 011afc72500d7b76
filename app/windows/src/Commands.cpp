// "Translate", "Exit" and the commands that open the other windows.
#include "windows/MainWindow.h"

#include "engine/Presentation.h"
#include "engine/TranslateWord.h"
#include "qttext/QtText.h"
#include "widgets/MessageBox.h"
#include "windows/AboutDialog.h"
#include "windows/Help.h"
#include "windows/OptionsDialog.h"
#include "windows/VoiceExamplesDialog.h"
#include "wordforms/HunspellBaseForms.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace trelvik {

namespace {

// The text of a pane: its heading, then one side of each nearest pair, each on a line of its own.
std::string paneText(std::string_view heading, const std::vector<NearestPair> &nearest, bool translations)
{
    std::string text(heading);
    text += kLineBreak;
    for (const NearestPair &pair : nearest)
        text.append(translations ? pair.translation : pair.word).append(kLineBreak);
    return text;
}

// Shows a kept dialog modally; one that the close box closed is discarded, so the next opening makes a new one.
template <class Dialog> void openKept(QPointer<Dialog> &dialog)
{
    if (dialog->exec() == kClosedByCloseBox)
        delete dialog.data();
}

} // namespace

void MainWindow::translate()
{
    m_statusLine->setText(FromEngineMessage(kStatSearching));
    m_statusLine->repaint();

    // The same language on both sides gives way to the other language the user most likely means.
    const std::optional<Language> chosen = TargetLanguageAt(m_targetList->currentIndex());
    if (m_russianSwitch->isChecked() && chosen == Language::Russian)
        m_targetList->setCurrentIndex(TargetIndexOf(Language::Swedish));
    else if (m_englishSwitch->isChecked() && chosen == Language::English)
        m_targetList->setCurrentIndex(TargetIndexOf(Language::Russian));
    else if (m_swedishSwitch->isChecked() && chosen == Language::Swedish)
        m_targetList->setCurrentIndex(TargetIndexOf(Language::Russian));

    showLanguageHeadings();

    const std::optional<Language> from = m_russianSwitch->isChecked()   ? std::optional(Language::Russian)
                                         : m_englishSwitch->isChecked() ? std::optional(Language::English)
                                         : m_swedishSwitch->isChecked() ? std::optional(Language::Swedish)
                                                                        : std::nullopt;
    // Only the field the source language reads must convert; the hidden twin may hold anything.
    LookupQuery query;
    QString error;
    if (from
        && !ToSingleByte(m_sourceField.twin(from == Language::Russian)->text(), CodePageOf(*from), query.word,
                         &error)) {
        m_statusLine->setText(FromEngineMessage(kStatReady));
        ShowMessage(this, error);
        return;
    }
    if (!from) {
        ShowMessage(this, FromEngineMessage(kErrorNoSourceLanguage));
        return;
    }
    const std::optional<Language> to = TargetLanguageAt(m_targetList->currentIndex());
    if (!to || to == from)
        return;
    query.from = *from;
    query.to = *to;
    query.useUserDict = m_values.useUserDict;
    query.findSynonyms = m_values.findSynonyms;

    if (m_wordFormsItem->isChecked() && !m_wordForms)
        m_wordForms = std::make_unique<HunspellBaseForms>(m_hunspellFolder);
    m_values.env.baseForms = m_wordFormsItem->isChecked() ? m_wordForms.get() : nullptr;
    const LookupResult result = TranslateWord(query, m_values.env);
    m_translation.setBytes(JoinTranslations(result.translations));
    m_translationsPane.setBytes(paneText(LanguageHeading(query.to), result.nearest, true));
    m_nearestPane.setBytes(paneText(LanguageHeading(query.from), result.nearest, false));
    QString status = QString::fromUtf8(StatusLine(result, CodePageOf(query.from)));
    // An unreadable user dictionary is said in the status line, once: again at every lookup, it would hide
    // every result's status. It is said anew when the cause changes or comes back.
    if (result.userDictError.empty()) {
        m_userDictErrorSaid.clear();
    } else if (result.userDictError != m_userDictErrorSaid) {
        m_userDictErrorSaid = result.userDictError;
        status = QStringLiteral("Stat: ") + FromEngineMessage(result.userDictError);
    }
    m_statusLine->setText(status);
    m_statusLine->setToolTip(m_statusLine->fontMetrics().horizontalAdvance(status) > m_statusLine->width() ? status
                                                                                                           : QString());
}

SourceFields MainWindow::readSourceFields() const
{
    SourceFields fields;
    fields.russian = m_russianSwitch->isChecked();
    fields.english = m_englishSwitch->isChecked();
    fields.swedish = m_swedishSwitch->isChecked();
    fields.russianWord = m_sourceField.cyrillic()->text();
    fields.westernWord = m_sourceField.western()->text();
    return fields;
}

void MainWindow::openAddWords(QWidget *over)
{
    // The one add-words window belongs to the window it is opened from, so it is modal over that one: over
    // the options window when opened there, which is itself modal over this one.
    QWidget *owner = over ? over : this;
    if (!m_addWords)
        m_addWords = new AddWordsDialog(
            m_values, [this] { return readSourceFields(); }, owner);
    else if (m_addWords->parentWidget() != owner)
        m_addWords->setParent(owner, m_addWords->windowFlags());
    openKept(m_addWords);
}

void MainWindow::openOptions()
{
    if (!m_options)
        m_options = new OptionsDialog(
            m_values, [this](QWidget *over) { openAddWords(over); }, this);
    openKept(m_options);
}

void MainWindow::openExamples()
{
    if (!m_examples)
        m_examples = new VoiceExamplesDialog(QFile::decodeName(m_values.env.appDir.c_str()), this);
    openKept(m_examples);
}

void MainWindow::openAbout()
{
    // A fresh About window every time.
    AboutDialog about(this);
    about.exec();
}

void MainWindow::showHelp()
{
    const QString appFolder = QFile::decodeName(m_values.env.appDir.c_str());
    if (!ShowHelpPage(appFolder))
        ShowMessage(this, QStringLiteral("The help page %1 could not be opened.")
                              .arg(QDir::toNativeSeparators(appFolder + QStringLiteral("/html/info.html"))));
}

void MainWindow::exitProgram()
{
    QCoreApplication::quit();
}

} // namespace trelvik
