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
    // Shows topic `topic` (10 contents, 160 about, ...); false when the page is missing.
    bool ShowTopic(int topic);
    // The page file of a topic in the current language.
    QString TopicFile(int topic) const;
    QTextBrowser* Browser() const { return browser_; }

private:
    const TLanguageFile& lang_;
    QTextBrowser* browser_;
    QPushButton* close_;
};

}  // namespace korvant
