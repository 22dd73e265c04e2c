#pragma once
// The help viewer: one HTML page per topic number, in the current language.
#include <QDialog>

class QPushButton;
class QTextBrowser;

namespace korvant {

class TLanguageFile;

class THelp : public QDialog {
    Q_OBJECT
public:
    THelp(const TLanguageFile& lang, QWidget* parent = nullptr);

    void ApplyTexts();
    // Shows topic `topic` (10 contents, 160 about, ...) in front of `owner`, the window that asks;
    // false when the page is missing. The help belongs to that window: usable while it waits
    // modally, and closed when it hides.
    bool ShowTopic(int topic, QWidget* owner);
    // The page file of a topic in the current language.
    QString TopicFile(int topic) const;
    QTextBrowser* Browser() const { return browser_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void attachTo(QWidget* owner);

    const TLanguageFile& lang_;
    QTextBrowser* browser_;
    QPushButton* close_;
};

}  // namespace korvant
