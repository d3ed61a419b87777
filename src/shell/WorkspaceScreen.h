#pragma once

#include <QWidget>

namespace tavorel {

// A maximised screen: the steel-blue-to-white gradient with the 995 × 692 content panel kept
// centred in the window.
class WorkspaceScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPanelWidth = 995;
    static constexpr int kPanelHeight = 692;

    WorkspaceScreen(const QString& name, const QString& caption);

    QWidget* panel() const { return panel_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* panel_;
};

} // namespace tavorel
