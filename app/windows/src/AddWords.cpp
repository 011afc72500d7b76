#include "windows/AddWords.h"

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

AddWords::AddWords(ProgramValues &values, std::function<SourceFields()> readMainWindow, QWidget *parent)
    : QDialog(parent, kFixedDialogFlags), m_values(values), m_readMainWindow(std::move(readMainWindow))
{
    SetUpFixedDialog(this, "AddWords", QStringLiteral("Add words to user dictionary"), 3585, 3720, DialogFont());

    createControls();
}

void AddWords::createControls()
{
    m_label3 = NamedChild<QLabel>(this, "Label3", Twips(240, 120, 855, 255), QStringLiteral("Russian"));
    m_text1 = makeField(this, "Text1", CodePage::Windows1251, Twips(240, 360, 3135, 375));
    m_label5 = NamedChild<QLabel>(this, "Label5", Twips(240, 960, 855, 255), QStringLiteral("English"));
    m_text2 = makeField(this, "Text2", CodePage::Windows1252, Twips(240, 1200, 3135, 375));
    m_label4 = NamedChild<QLabel>(this, "Label4", Twips(240, 1800, 855, 255), QStringLiteral("Swedish"));
    m_text3 = makeField(this, "Text3", CodePage::Windows1252, Twips(240, 2040, 3135, 375));
    m_command3 = NamedChild<QPushButton>(this, "Command3", Twips(240, 2760, 1455, 375), QStringLiteral("Add"));
    m_command1 = NamedChild<QPushButton>(this, "Command1", Twips(1920, 2760, 1455, 375), QStringLiteral("Cancel"));
    m_label1 = NamedChild<QLabel>(this, "Label1", Twips(120, 3360, 3375, 255), kPrompt);

    m_text1->setAccessibleName(QStringLiteral("Russian word"));
    m_text2->setAccessibleName(QStringLiteral("English word"));
    m_text3->setAccessibleName(QStringLiteral("Swedish word"));
    m_label1->setAccessibleDescription(QStringLiteral("What to do next, or what is wrong"));
    m_label3->setBuddy(m_text1);
    m_label5->setBuddy(m_text2);
    m_label4->setBuddy(m_text3);

    PaintPanel(m_label1);

    // Enter in any field stores the words, as the "Add" button does.
    m_command3->setDefault(true);
    m_command1->setAutoDefault(false);

    // "Add" first, then the Russian, English and Swedish fields, then "Cancel".
    SetTabChain({m_command3, m_text1, m_text2, m_text3, m_command1});

    connect(m_command3, &QPushButton::clicked, this, &AddWords::addWords);
    connect(m_command1, &QPushButton::clicked, this, &AddWords::hide);
}

void AddWords::reject()
{
    hide();
}

void AddWords::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        takeOverMainWindowWord();
        focusFirstEmptyField();
    }
}

void AddWords::takeOverMainWindowWord()
{
    const SourceFields main = m_readMainWindow ? m_readMainWindow() : SourceFields{};
    m_text1->clear();
    m_text2->clear();
    m_text3->clear();
    // The first switch that is on decides, in the order russian, english, swedish. setText() bypasses the
    // validators on purpose: "Add" checks the words once more before anything is stored.
    if (main.Option1)
        m_text1->setText(main.Text1);
    else if (main.Option2)
        m_text2->setText(main.Text2);
    else if (main.Option3)
        m_text3->setText(main.Text2);
    m_label1->setText(kPrompt);
    m_label1->setToolTip(QString());
}

void AddWords::focusFirstEmptyField()
{
    // The word taken over from the main window is usually in place; the caret goes where typing is needed.
    for (QLineEdit *field : {m_text1, m_text2, m_text3}) {
        if (field->text().isEmpty()) {
            field->setFocus();
            return;
        }
    }
    m_command3->setFocus();
}

void AddWords::addWords()
{
    // A user dictionary beside the program in a read-only folder is copied to the user's data folder first.
    const std::string russian = m_text1->text().toStdString();
    const std::string english = m_text2->text().toStdString();
    const std::string swedish = m_text3->text().toStdString();
    const TypedWordsAdded added = AddTypedWords(m_values.env.userDictPath, TripleView{russian, swedish, english});
    if (!added.note.empty())
        ShowMessage(this, FromEngineMessage(added.note));
    switch (added.outcome) {
    case TypedWordsAdded::Outcome::Refused:
        m_label1->setText(QString::fromStdString(added.message));
        m_label1->setToolTip(QString::fromStdString(added.detail));
        if (added.field)
            BasicTriple<QLineEdit *>{m_text1, m_text3, m_text2}[*added.field]->setFocus();
        return;
    case TypedWordsAdded::Outcome::FileError:
        // The file is left as it was; the words stay in the fields so the user can try again.
        ShowMessage(this, FromEngineMessage(added.message));
        return;
    case TypedWordsAdded::Outcome::Added:
        ShowMessage(this, QString::fromStdString(WordsAddedText(added.recordNumber)));
        hide();
        return;
    }
}

} // namespace trelvik
