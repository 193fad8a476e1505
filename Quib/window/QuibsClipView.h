// A content view that always repaints its whole content when scrolled or refreshed, instead of
// reusing pixels drawn before (slides moved under it would otherwise leave stale images).
#pragma once
#include <QWidget>

class QuibsClipView : public QWidget
{
    Q_OBJECT
public:
    explicit QuibsClipView(QWidget* parent = nullptr);

    // Repaints at once over the whole frame, then marks itself for another paint.
    void refreshMe();
    // How often refreshMe ran (the slideshow checks its refreshes).
    int refreshCount() const { return m_refreshCount; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_refreshCount = 0;
};
