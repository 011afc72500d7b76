#pragma once

#include <QDialog>
#include <QUrl>

class QLabel;

namespace trelvik {

// The web page the About window points to.
QUrl TrelvikWebPage();

// The About window "info": title, dictionary size and contact lines; a click on the web address opens it.
// Every "About" shows a fresh one.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createLabels();
    void openWebPage();

    QLabel *m_webAddress = nullptr;
};

} // namespace trelvik
