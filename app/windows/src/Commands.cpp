// "Translate", "Exit" and the commands that open the other windows.
#include "windows/Dictionary.h"

#include "engine/Presentation.h"
#include "engine/TranslateWord.h"
#include "qttext/QtText.h"
#include "widgets/MessageBox.h"
#include "windows/FormText1.h"
#include "windows/Help.h"
#include "windows/InfoDic.h"
#include "windows/OptionsF.h"
#include "wordforms/HunspellBaseForms.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
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

// Ends a local event loop when the watched window is hidden, however that happens: its own buttons,
// Escape, or the close box.
class HideWatcher : public QObject {
public:
    explicit HideWatcher(QEventLoop &loop) : m_loop(loop) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            m_loop.quit();
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop &m_loop;
};

// Shows a window modally and returns when it is hidden or destroyed. QDialog::exec() would do, but it
// deletes a window marked WA_DeleteOnClose as soon as it returns, also when the window was only hidden,
// so a window that is meant to come back unchanged on the next opening would be lost every time.
void runModal(QDialog *dialog)
{
    QPointer<QDialog> guard(dialog);
    QEventLoop loop;
    HideWatcher watcher(loop);
    dialog->installEventFilter(&watcher);
    QObject::connect(dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    if (guard && guard->isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (guard)
        guard->removeEventFilter(&watcher);
}

} // namespace

void dictionary::Translate()
{
    m_statTR->setText(FromEngineMessage(kStatSearching));
    m_statTR->repaint();

    // The same language on both sides gives way to the other language the user most likely means.
    const std::optional<Language> chosen = TargetLanguageAt(m_combo1->currentIndex());
    if (m_option1->isChecked() && chosen == Language::Russian)
        m_combo1->setCurrentIndex(TargetIndexOf(Language::Swedish));
    else if (m_option2->isChecked() && chosen == Language::English)
        m_combo1->setCurrentIndex(TargetIndexOf(Language::Russian));
    else if (m_option3->isChecked() && chosen == Language::Swedish)
        m_combo1->setCurrentIndex(TargetIndexOf(Language::Russian));

    TextNignii();

    const std::optional<Language> from = m_option1->isChecked()   ? std::optional(Language::Russian)
                                         : m_option2->isChecked() ? std::optional(Language::English)
                                         : m_option3->isChecked() ? std::optional(Language::Swedish)
                                                                  : std::nullopt;
    // Only the field the source language reads must convert; the hidden twin may hold anything.
    LookupQuery query;
    QString error;
    if (from
        && !ToSingleByte((from == Language::Russian ? m_text1 : m_text2)->text(), CodePageOf(*from), query.word,
                         &error)) {
        m_statTR->setText(FromEngineMessage(kStatReady));
        ShowMessage(this, error);
        return;
    }
    if (!from) {
        ShowMessage(this, FromEngineMessage(kErrorNoSourceLanguage));
        return;
    }
    const std::optional<Language> to = TargetLanguageAt(m_combo1->currentIndex());
    if (!to || to == from)
        return;
    query.from = *from;
    query.to = *to;
    query.useUserDict = m_values.useUserDict;
    query.findSynonyms = m_values.findSynonyms;

    if (m_formsM->isChecked() && !m_wordForms)
        m_wordForms = std::make_unique<HunspellBaseForms>(m_hunspellFolder);
    m_values.env.baseForms = m_formsM->isChecked() ? m_wordForms.get() : nullptr;
    const LookupResult result = TranslateWord(query, m_values.env);
    setPair(m_textPole0S, m_textPole0R, JoinTranslations(result.translations));
    setPair(m_text22, m_text22r, paneText(LanguageHeading(query.to), result.nearest, true));
    setPair(m_text11, m_text11r, paneText(LanguageHeading(query.from), result.nearest, false));
    QString status = QString::fromUtf8(StatusLine(result, CodePageOf(query.from)));
    // An unreadable user dictionary is said in the status line, once: again at every lookup, it would hide
    // every result's status. It is said anew when the cause changes or comes back.
    if (result.userDictError.empty()) {
        m_userDictErrorSaid.clear();
    } else if (result.userDictError != m_userDictErrorSaid) {
        m_userDictErrorSaid = result.userDictError;
        status = QStringLiteral("Stat: ") + FromEngineMessage(result.userDictError);
    }
    m_statTR->setText(status);
    m_statTR->setToolTip(m_statTR->fontMetrics().horizontalAdvance(status) > m_statTR->width() ? status : QString());
}

SourceFields dictionary::readSourceFields() const
{
    SourceFields fields;
    fields.Option1 = m_option1->isChecked();
    fields.Option2 = m_option2->isChecked();
    fields.Option3 = m_option3->isChecked();
    fields.Text1 = m_text1->text();
    fields.Text2 = m_text2->text();
    return fields;
}

void dictionary::openAddWords(QWidget *over)
{
    // The one add-words window belongs to the window it is opened from, so it is modal over that one: over
    // the options window when opened there, which is itself modal over this one.
    QWidget *owner = over ? over : this;
    if (!m_addWords)
        m_addWords = new AddWords(
            m_values, [this] { return readSourceFields(); }, owner);
    else if (m_addWords->parentWidget() != owner)
        m_addWords->setParent(owner, m_addWords->windowFlags());
    runModal(m_addWords);
}

void dictionary::openOptions()
{
    if (!m_options)
        m_options = new OptionsF(
            m_values, [this](QWidget *over) { openAddWords(over); }, this);
    runModal(m_options);
}

void dictionary::openExamples()
{
    if (!m_examples)
        m_examples = new FormText1(QFile::decodeName(m_values.env.appDir.c_str()), this);
    runModal(m_examples);
}

void dictionary::openAbout()
{
    // A fresh About window every time; whether it closes or only hides, it is gone afterwards.
    QPointer<infoDic> about = new infoDic(this);
    runModal(about);
    delete about.data();
}

void dictionary::showHelp()
{
    const QString appFolder = QFile::decodeName(m_values.env.appDir.c_str());
    if (!ShowHelpPage(appFolder))
        ShowMessage(this, QStringLiteral("The help page %1 could not be opened.")
                              .arg(QDir::toNativeSeparators(appFolder + QStringLiteral("/html/info.html"))));
}

void dictionary::exitProgram()
{
    QCoreApplication::quit();
}

} // namespace trelvik
