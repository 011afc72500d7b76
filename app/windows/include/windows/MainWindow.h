#pragma once

#include "base/Language.h"
#include "base/Text.h"
#include "widgets/Twin.h"
#include "windows/AddWordsDialog.h"
#include "windows/Keyboard.h"
#include "windows/ProgramValues.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <optional>

#include <string>
#include <string_view>

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace trelvik {

// What the window says when no source language is chosen.
inline constexpr char kErrorNoSourceLanguage[] = "Error. Empty languse from translate";

// The languages of the target list ("Translate to:"), in its order.
inline constexpr std::array<Language, 3> kTargetList{Language::Russian, Language::English, Language::Swedish};

// The language at an index of the target list, or none for an index the list does not have.
std::optional<Language> TargetLanguageAt(int index) noexcept;

// The index of a language in the target list.
int TargetIndexOf(Language language) noexcept;

class VoiceExamplesDialog;
class HunspellBaseForms;
class OptionsDialog;

// The main window: source word, language switches, target list, on-screen keyboards, result panes,
// status line and the menus that open the other windows. Every control carries its name as objectName.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs its load step: Swedish as target, both options on, Russian as source.
    // The window keeps a reference to values, which must outlive it.
    explicit MainWindow(ProgramValues &values, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Places the window, at its real size, in the middle of the screen it opens on; call before showing it.
    void centreOnScreen();

    // The on-screen keyboard's edit buffer, in the code page of the current input field.
    const std::string &inputBuffer() const noexcept { return m_inputBuffer; }

    // Puts the language headings into both panes and empties the translation line.
    void showLanguageHeadings();
    // Appends character (zero or one byte) to the input field of the current source language.
    void appendToInput(std::string_view character);
    // Empties the input field of the current source language.
    void clearInput();
    // Writes inputBuffer into the input field of the current source language.
    void showInputBuffer();

    // "Translate": one whole request from the window's controls, results shown in the panes.
    void translate();

    // The source switches and input fields, as the add-words window reads them.
    SourceFields readSourceFields() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void placeFrameInTheMiddle();
    void createMenus();
    void createControls();
    void createKeyboard(QWidget *client);
    void createPanes(QWidget *client);
    void createSourceFrame(QWidget *client);
    void createCommandRow(QWidget *client);
    void stackControls(QWidget *client);
    void setTabOrder();
    void load();

    void sourceSelected(Language language);
    void nameKeys(Language language);
    void targetSelected(int index);
    void keyClicked(const KeyDef &key);
    void backspace();

    Language keyLanguage() const noexcept;
    QLineEdit *inputField() const noexcept;
    CodePage inputCodePage() const noexcept;
    bool readInputField(std::string &bytes) const;

    void setUpWordForms(QAction *item);
    void wordFormsToggled(bool on);

    void openAddWords(QWidget *over);
    void openOptions();
    void openExamples();
    void openAbout();
    void showHelp();
    void exitProgram();

    ProgramValues &m_values;
    std::string m_inputBuffer;
    std::string m_userDictErrorSaid; // why the user dictionary could not be read, as last said in the status line
    bool m_centreWhenShown = false;

    QPushButton *m_translateButton = nullptr;
    QPushButton *m_addWordsButton = nullptr;
    TwinField m_sourceField;     // the word: Russian (cyrillic) or English and Swedish (western)
    TwinField m_translation;     // the translation line
    TwinPane m_nearestPane;      // the nearest words
    TwinPane m_translationsPane; // their translations
    QComboBox *m_targetList = nullptr;
    QGroupBox *m_sourceFrame = nullptr;
    QRadioButton *m_russianSwitch = nullptr;
    QRadioButton *m_englishSwitch = nullptr;
    QRadioButton *m_swedishSwitch = nullptr;
    QLabel *m_statusLine = nullptr;
    QFrame *m_statusRule = nullptr;
    QFrame *m_targetRule = nullptr;
    QLabel *m_targetLabel = nullptr;
    QLabel *m_russianKeyboard = nullptr;
    QLabel *m_swedishKeyboard = nullptr;
    QLabel *m_englishKeyboard = nullptr;

    QAction *m_wordFormsItem = nullptr;
    std::string m_hunspellFolder;
    std::unique_ptr<HunspellBaseForms> m_wordForms; // made when the option is first used

    QPointer<AddWordsDialog> m_addWords;
    QPointer<OptionsDialog> m_options;
    QPointer<VoiceExamplesDialog> m_examples;
};

} // namespace trelvik
