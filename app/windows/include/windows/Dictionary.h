#pragma once

#include "base/Language.h"
#include "base/Text.h"
#include "windows/AddWords.h"
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

class FormText1;
class HunspellBaseForms;
class OptionsF;

// The main window: source word, language switches, target list, on-screen keyboards, result panes,
// status line and the menus that open the other windows. Every control carries its name as objectName.
class dictionary : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs its load step: Swedish as target, both options on, Russian as source.
    // The window keeps a reference to values, which must outlive it.
    explicit dictionary(ProgramValues &values, QWidget *parent = nullptr);
    ~dictionary() override;

    // Places the window, at its real size, in the middle of the screen it opens on; call before showing it.
    void centreOnScreen();

    // The on-screen keyboard's edit buffer, in the code page of the current input field.
    const std::string &inputBuffer() const noexcept { return m_inputBuffer; }

    // Puts the language headings into both panes and empties the translation line.
    void TextNignii();
    // Appends charMY (zero or one byte) to the input field of the current source language.
    void textMY(std::string_view charMY);
    // Empties the input field of the current source language.
    void textDEl();
    // Writes inputBuffer into the input field of the current source language.
    void ToText();

    // "Translate": one whole request from the window's controls, results shown in the panes.
    void Translate();

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
    void setPair(QLineEdit *western, QLineEdit *cyrillic, std::string_view bytes);
    void setPair(QPlainTextEdit *western, QPlainTextEdit *cyrillic, std::string_view bytes);

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
    std::string m_userDictErrorSaid; // why the user dictionary could not be read, as last said in statTR
    bool m_centreWhenShown = false;

    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QLineEdit *m_textPole0R = nullptr;
    QLineEdit *m_textPole0S = nullptr;
    QPlainTextEdit *m_text11 = nullptr;
    QPlainTextEdit *m_text11r = nullptr;
    QPlainTextEdit *m_text22 = nullptr;
    QPlainTextEdit *m_text22r = nullptr;
    QComboBox *m_combo1 = nullptr;
    QGroupBox *m_frame1 = nullptr;
    QRadioButton *m_option1 = nullptr;
    QRadioButton *m_option2 = nullptr;
    QRadioButton *m_option3 = nullptr;
    QLabel *m_statTR = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_klav1ru = nullptr;
    QLabel *m_klav1sv = nullptr;
    QLabel *m_klav1en = nullptr;

    QAction *m_formsM = nullptr;
    std::string m_hunspellFolder;
    std::unique_ptr<HunspellBaseForms> m_wordForms; // made when the option is first used

    QPointer<AddWords> m_addWords;
    QPointer<OptionsF> m_options;
    QPointer<FormText1> m_examples;
};

} // namespace trelvik
