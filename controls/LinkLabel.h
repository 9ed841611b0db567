#pragma once

#include <QLabel>

// A picture or a text that opens a page when clicked: the banner, the web-site picture and the
// e-mail address. Given the focus, it shows a focus mark and opens on Enter or Space too, and a
// screen reader sees it as a link it can press.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);
    LinkLabel(const QString& text, QWidget* parent);

Q_SIGNALS:
    // A left click released over the link, Enter or Space while it has the focus, or a screen
    // reader's press.
    void activated();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
