#pragma once

#include <QString>
#include <string>
#include <utility>
#include <vector>

namespace ui {

class MainWindow;

// What the rest of the program asks of the designed main window, named by what it does; the
// design's own names (command4_Click, Text1, Combo1, ...) stay in ui/ and worksheet/. Every
// action goes through the designed handlers, so that every rule of the design applies.
class MainWindowFacade {
public:
    explicit MainWindowFacade(MainWindow& main) : main_(main) {}

    struct Standard {
        std::string c; // as the document holds the texts
        std::string a;
    };

    // Fills the standards as the user would: the table cleared (command5) and the sample frame
    // (Command8), the unit into the unit list's text, the count typed and confirmed (command9),
    // each text into its box, then the fit (command4). Rows beyond the window's are left out.
    void fillStandards(const QString& unit, const std::vector<Standard>& standards);
    // Clears the table and the sample frame as the two 清零 buttons do (command5, Command8).
    void clear();
    // The unit list's text, and that text typed (no fit).
    QString unit() const;
    void setUnit(const QString& unit);
    // C and A of the rows in use as the last fit left their texts.
    std::vector<std::pair<QString, QString>> standards() const;
    // Whether the window holds anything typed or computed: a text in the table, the count box or
    // the sample box, or a fitted curve.
    bool holdsData() const;

private:
    MainWindow& main_;
};

} // namespace ui
