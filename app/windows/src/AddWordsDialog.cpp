#include "windows/AddWordsDialog.h"

#include "qttext/QtText.h"
#include "services/AddTypedWords.h"
#include "services/AppFolder.h"
#include "userdict/TypedWords.h"
#include "widgets/MessageBox.h"
#include "widgets/SingleByteValidator.h"
#include "widgets/WindowLook.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QShowEvent>

#include <limits>
#include <string>

namespace trelvik {

namespace {

// The Qt object name of every control, by role. They are set from here and nowhere else: screen-reader scripts,
// style sheets and the tests know the controls by these names, so they never change.
constexpr struct {
    const char *window = "AddWords";
    const char *russianLabel = "Label3";
    const char *russianField = "Text1";
    const char *englishLabel = "Label5";
    const char *englishField = "Text2";
    const char *swedishLabel = "Label4";
    const char *swedishField = "Text3";
    const char *addButton = "Command3";
    const char *cancelButton = "Command1";
    const char *promptLine = "Label1";
} kNames;

const QString kPrompt = QStringLiteral("Write words, and press Add-Button");

QLineEdit *makeField(QWidget *parent, const char *name, CodePage codePage, const QRect &geometry)
{
    auto *field = NamedChild<QLineEdit>(parent, name, geometry);
    // Nothing pasted is cut short without a word: a word too long to store is refused by "Add".
    field->setMaxLength(std::numeric_limits<int>::max());
    field->setFont(DialogFont());
    GuardField(
        field, codePage,
        {QStringLiteral("This field takes Latin letters. Type the Russian word in the field under \"Russian\"."),
         QStringLiteral("This field takes Russian letters. Type \u201C%1\u201D in the field under \"Swedish\" or "
                        "\"English\"."),
         QStringLiteral("\u201C%1\u201D cannot be stored in the user dictionary.")});
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);
    return field;
}

} // namespace

AddWordsDialog::AddWordsDialog(ProgramValues &values, std::function<SourceFields()> readMainWindow, QWidget *parent)
    : KeptDialog(parent, kFixedDialogFlags), m_values(values), m_readMainWindow(std::move(readMainWindow))
{
    SetUpFixedDialog(this, kNames.window, QStringLiteral("Add words to user dictionary"), 3585, 3720, DialogFont());

    createControls();
}

void AddWordsDialog::createControls()
{
    m_russianLabel =
        NamedChild<QLabel>(this, kNames.russianLabel, Twips(240, 120, 855, 255), QStringLiteral("Russian"));
    m_russianField = makeField(this, kNames.russianField, CodePage::Windows1251, Twips(240, 360, 3135, 375));
    m_englishLabel =
        NamedChild<QLabel>(this, kNames.englishLabel, Twips(240, 960, 855, 255), QStringLiteral("English"));
    m_englishField = makeField(this, kNames.englishField, CodePage::Windows1252, Twips(240, 1200, 3135, 375));
    m_swedishLabel =
        NamedChild<QLabel>(this, kNames.swedishLabel, Twips(240, 1800, 855, 255), QStringLiteral("Swedish"));
    m_swedishField = makeField(this, kNames.swedishField, CodePage::Windows1252, Twips(240, 2040, 3135, 375));
    m_addButton = NamedChild<QPushButton>(this, kNames.addButton, Twips(240, 2760, 1455, 375), QStringLiteral("Add"));
    m_cancelButton =
        NamedChild<QPushButton>(this, kNames.cancelButton, Twips(1920, 2760, 1455, 375), QStringLiteral("Cancel"));
    m_promptLine = NamedChild<QLabel>(this, kNames.promptLine, Twips(120, 3360, 3375, 255), kPrompt);

    m_russianField->setAccessibleName(QStringLiteral("Russian word"));
    m_englishField->setAccessibleName(QStringLiteral("English word"));
    m_swedishField->setAccessibleName(QStringLiteral("Swedish word"));
    m_promptLine->setAccessibleDescription(QStringLiteral("What to do next, or what is wrong"));
    m_russianLabel->setBuddy(m_russianField);
    m_englishLabel->setBuddy(m_englishField);
    m_swedishLabel->setBuddy(m_swedishField);

    PaintPanel(m_promptLine);

    // Enter in any field stores the words, as the "Add" button does.
    m_addButton->setDefault(true);
    m_cancelButton->setAutoDefault(false);

    // "Add" first, then the Russian, English and Swedish fields, then "Cancel".
    SetTabChain({m_addButton, m_russianField, m_englishField, m_swedishField, m_cancelButton});

    connect(m_addButton, &QPushButton::clicked, this, &AddWordsDialog::addWords);
    connect(m_cancelButton, &QPushButton::clicked, this, &AddWordsDialog::reject);
}

void AddWordsDialog::showEvent(QShowEvent *event)
{
    KeptDialog::showEvent(event);
    if (!event->spontaneous()) {
        takeOverMainWindowWord();
        focusFirstEmptyField();
    }
}

void AddWordsDialog::takeOverMainWindowWord()
{
    const SourceFields main = m_readMainWindow ? m_readMainWindow() : SourceFields{};
    m_russianField->clear();
    m_englishField->clear();
    m_swedishField->clear();
    // The first switch that is on decides, in the order russian, english, swedish. setText() bypasses the
    // validators on purpose: "Add" checks the words once more before anything is stored.
    if (main.russian)
        m_russianField->setText(main.russianWord);
    else if (main.english)
        m_englishField->setText(main.westernWord);
    else if (main.swedish)
        m_swedishField->setText(main.westernWord);
    m_promptLine->setText(kPrompt);
    m_promptLine->setToolTip(QString());
}

void AddWordsDialog::focusFirstEmptyField()
{
    // The word taken over from the main window is usually in place; the caret goes where typing is needed.
    for (QLineEdit *field : {m_russianField, m_englishField, m_swedishField}) {
        if (field->text().isEmpty()) {
            field->setFocus();
            return;
        }
    }
    m_addButton->setFocus();
}

void AddWordsDialog::addWords()
{
    // A user dictionary beside the program in a read-only folder is copied to the user's data folder first.
    const std::string russian = m_russianField->text().toStdString();
    const std::string english = m_englishField->text().toStdString();
    const std::string swedish = m_swedishField->text().toStdString();
    const TypedWordsAdded added = AddTypedWords(m_values.env.userDictPath, TripleView{russian, swedish, english});
    if (!added.note.empty())
        ShowMessage(this, FromEngineMessage(added.note));
    switch (added.outcome) {
    case TypedWordsAdded::Outcome::Refused:
        m_promptLine->setText(QString::fromStdString(added.message));
        m_promptLine->setToolTip(QString::fromStdString(added.detail));
        if (added.field)
            BasicTriple<QLineEdit *>{m_russianField, m_swedishField, m_englishField}[*added.field]->setFocus();
        return;
    case TypedWordsAdded::Outcome::FileError:
        // The file is left as it was; the words stay in the fields so the user can try again.
        ShowMessage(this, FromEngineMessage(added.message));
        return;
    case TypedWordsAdded::Outcome::Added:
        ShowMessage(this, QString::fromStdString(WordsAddedText(added.recordNumber)));
        accept();
        return;
    }
}

} // namespace trelvik
