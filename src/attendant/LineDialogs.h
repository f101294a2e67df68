#pragma once
// The two dialogs that change the line table: one line (dialog 133, opened
// from a row of the Line Administration list) and a range of lines (dialog
// 134). Both close with OK once they have written, whatever the server
// answered, so the list shows the lines as the server now holds them.

#include "ui/BoundDialog.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zax {
struct Session;
}
namespace Ui {
class LineSettingsDialog;
class LineRangeDialog;
} // namespace Ui

namespace attendant {

// How the server answers one line.
struct LineSettings {
    uint8_t Answer;   // 0: not answered
    int16_t Table;    // greeting table 1 to 4
    int16_t Rings;    // 0 to 12
    int16_t From = 0; // the range dialog's lines
    int16_t To = 0;
};

class LineSettingsDialog : public ui::BoundDialog<LineSettings> {
    Q_OBJECT
public:
    // `rowText` is the list row's text; its first three characters, the
    // line number, complete the caption.
    LineSettingsDialog(zax::Session& session, int16_t line, const QString& rowText,
                       QWidget* parent = nullptr);
    ~LineSettingsDialog() override;

    bool Load() override;

protected:
    bool OnInitDialog() override;
    void UpdateControlStates() override;
    void OnOK() override;

private:
    zax::Session& session_;
    int16_t line_;
    QString rowText_;
    std::unique_ptr<Ui::LineSettingsDialog> form_;
};

class LineRangeDialog : public ui::BoundDialog<LineSettings> {
    Q_OBJECT
public:
    explicit LineRangeDialog(zax::Session& session, QWidget* parent = nullptr);
    ~LineRangeDialog() override;

    // The range written, once the dialog has closed with OK.
    int16_t From() const { return Record().From; }
    int16_t To() const { return Record().To; }

protected:
    bool OnInitDialog() override;
    void UpdateControlStates() override;
    void OnOK() override;

private:
    zax::Session& session_;
    std::unique_ptr<Ui::LineRangeDialog> form_;
};

} // namespace attendant
