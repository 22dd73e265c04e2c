#pragma once
// A tab page with the command screen's picture stretched behind its controls.
#include <QPixmap>
#include <QWidget>

namespace korvant {

class TPicturePage : public QWidget {
    Q_OBJECT
public:
    explicit TPicturePage(QWidget* parent = nullptr) : QWidget(parent) {}
    void SetPicture(const QPixmap& picture);
    void SetPictureShown(bool on);
    bool PictureShown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QPixmap picture_;
    bool shown_ = true;
};

}  // namespace korvant
