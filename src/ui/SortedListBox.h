#pragma once
// A list box whose lines stay sorted (without regard to case) and whose
// tab-separated columns line up at tab stops given in dialog units.

#include <QListWidget>

#include <vector>

namespace ui {

class SortedListBox : public QListWidget {
    Q_OBJECT
public:
    explicit SortedListBox(QWidget* parent = nullptr);
    ~SortedListBox() override;

    // Tab stops in dialog units (a quarter of the average character width).
    void SetTabStops(std::vector<int> dialogUnits);
    const std::vector<int>& TabStopPixels() const { return stopPixels_; }

    // Inserts the line at its sorted place; returns its index.
    int AddString(const QString& line);
    void DeleteString(int index);
    QString GetText(int index) const;
    int GetCount() const { return count(); }
    int GetCurSel() const; // -1 when nothing is selected
    void SetCurSel(int index);
    int FindStringExact(const QString& line) const; // case-insensitive, -1 if absent

private:
    std::vector<int> stopPixels_;
};

} // namespace ui
