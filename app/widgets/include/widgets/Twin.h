#pragma once

#include "base/CodePages.h"
#include "qttext/QtText.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <string_view>
#include <type_traits>

namespace trelvik {

// A Cyrillic/Western twin pair: two edits in the same place that show the same single-byte text, the
// Cyrillic twin read as Windows-1251, the Western twin as Windows-1252; the window shows the twin that suits
// the language. The twins stay two widgets of the window, each with its own place in the stacking and Tab
// order; this class only keeps them in step.
template <class Edit> class Twin {
    static_assert(std::is_same_v<Edit, QLineEdit> || std::is_same_v<Edit, QPlainTextEdit>);

public:
    Twin() = default;
    Twin(Edit *western, Edit *cyrillic) : m_western(western), m_cyrillic(cyrillic) {}

    Edit *western() const noexcept { return m_western; }
    Edit *cyrillic() const noexcept { return m_cyrillic; }
    Edit *twin(bool cyrillic) const noexcept { return cyrillic ? m_cyrillic : m_western; }

    // Shows the Cyrillic twin and hides the Western one, or the other way round.
    void showCyrillic(bool cyrillic)
    {
        m_cyrillic->setVisible(cyrillic);
        m_western->setVisible(!cyrillic);
    }

    // Puts the same bytes into both twins, each through its own code page.
    void setBytes(std::string_view bytes)
    {
        setTexts(FromSingleByte(bytes, CodePage::Windows1252), FromSingleByte(bytes, CodePage::Windows1251));
    }

    void setTexts(const QString &western, const QString &cyrillic)
    {
        if constexpr (std::is_same_v<Edit, QLineEdit>) {
            m_western->setText(western);
            m_cyrillic->setText(cyrillic);
            // The start of a line too long for the field is what matters (the best translations come first).
            m_western->setCursorPosition(0);
            m_cyrillic->setCursorPosition(0);
        } else {
            m_western->setPlainText(western);
            m_cyrillic->setPlainText(cyrillic);
        }
    }

    bool hasFocus() const { return m_western->hasFocus() || m_cyrillic->hasFocus(); }

    // Both twins are named as what they show; only one of them is seen at a time.
    void setAccessibleName(const QString &name)
    {
        m_western->setAccessibleName(name);
        m_cyrillic->setAccessibleName(name);
    }
    void setAccessibleDescription(const QString &description)
    {
        m_western->setAccessibleDescription(description);
        m_cyrillic->setAccessibleDescription(description);
    }

private:
    Edit *m_western = nullptr;
    Edit *m_cyrillic = nullptr;
};

using TwinField = Twin<QLineEdit>;
using TwinPane = Twin<QPlainTextEdit>;

} // namespace trelvik
