// Finding lines: what matches, which way the search goes, and that the kept
// folded texts follow every change to the lines.
#include "support/OrderFixture.h"

#include "text/SearchFold.h"

#include <random>

namespace zelt::testing {
namespace {

class LineFinding : public OrderFixture {
protected:
    void SetUp() override
    {
        const char* rows[][4] = {
            // line, description, model, acknowledgement
            {"1", "Filing cabinet", "FC-100", ""},
            {"2", "Chaise Élégante", "CH-7", "ACK-55"},
            {"3", "Desk lamp", "DL-3", ""},
            {"4", "CAFÉ table", "T-900", "ack-77"},
            {"12N", "Œuvre murale", "W-12", ""},
        };
        std::vector<LineSpec> specs;
        for (const auto& r : rows)
            specs.push_back(lineWith({{&LineSpec::lineItem, r[0]}, {&LineSpec::description, r[1]}, {&LineSpec::model, r[2]},
                                      {&LineSpec::acknowledgement, r[3]}}));
        load(Mode::UpdateMode, specs);
    }
    /// The matching rows one by one from row 1 on, as F3 walks them.
    std::vector<int> walk(const std::string& text)
    {
        std::vector<int> rows;
        for (int from = 1;;) {
            const LineMatch m = control->FindLines(text, from);
            if (!m.found() || m.wrapped) break;
            rows.push_back(m.row);
            from = m.row + 1;
        }
        return rows;
    }
};

TEST_F(LineFinding, MatchesAnyFieldWithoutCaseOrAccents)
{
    const struct {
        const char* text;
        std::vector<int> rows;
    } cases[] = {
        {"cafe", {4}},            // accent and case folded in the line
        {"ÉLÉG", {2}},            // and in what is looked for
        {"oeuvre", {5}},          // a ligature as its two letters
        {"fc-1", {1}},            // model number
        {"ack-", {2, 4}},         // acknowledgement numbers
        {"12n", {5}},             // line number
        {"2", {2, 5}},            // line numbers and texts alike
        {"A", {1, 2, 3, 4, 5}},
        {"cabinetfc", {}},        // never across two fields
        {"lamp\nDL", {}},
        {"sofa", {}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(walk(c.text), c.rows) << c.text;
}

TEST_F(LineFinding, GoesEitherWayWrapsAndCounts)
{
    const struct {
        int from;
        FindDirection direction;
        int row;
        std::size_t index;
        bool wrapped;
    } cases[] = {
        {1, FindDirection::Forward, 2, 1, false},
        {2, FindDirection::Forward, 2, 1, false}, // the starting row counts
        {3, FindDirection::Forward, 4, 2, false},
        {5, FindDirection::Forward, 2, 1, true},
        {3, FindDirection::Backward, 2, 1, false},
        {1, FindDirection::Backward, 4, 2, true},
        {-7, FindDirection::Forward, 2, 1, false}, // out of range: clamped
        {99, FindDirection::Backward, 4, 2, false},
    };
    for (const auto& c : cases) {
        const LineMatch m = control->FindLines("ACK", c.from, c.direction);
        EXPECT_EQ(std::tuple(m.row, m.index, m.count, m.wrapped), std::tuple(c.row, c.index, std::size_t{2}, c.wrapped)) << c.from;
    }
    EXPECT_FALSE(control->FindLines("sofa", 1).found());
    EXPECT_EQ(control->FindLines("sofa", 1).count, 0u);
    // Selecting a match makes it the current line, as a click does.
    EXPECT_TRUE(control->SelectLine(4));
    EXPECT_EQ(grid().row(), 4);
    EXPECT_FALSE(control->SelectLine(0));
}

// The byte search against std::string_view::find on random texts of a small
// alphabet: needles at every place, across and at the end of each 16 bytes.
TEST(FindBytes, AgreesWithFind)
{
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string hay(random() % 80, ' ');
        for (char& c : hay) c = "abc\x1f"[random() % 4];
        std::string needle(1 + random() % 6, ' ');
        for (char& c : needle) c = "abc"[random() % 3];
        const std::size_t at = std::string_view(hay).find(needle);
        const char* found = text::findBytes(hay, needle);
        ASSERT_EQ(found ? static_cast<std::size_t>(found - hay.data()) : std::string_view::npos, at) << hay << " / " << needle;
    }
}

// Random edits, deletes, inserts and undos: the kept texts must always
// answer as a fold-and-compare of every cell does.
TEST_F(LineFinding, FollowsEveryChangeToTheLines)
{
    std::mt19937 random(20261208);
    const std::vector<std::string> words = {"desk", "DÉSK", "lamp", "chair", "Ack-5", "7", "ÿ"};
    const auto pick = [&](std::size_t n) { return static_cast<int>(random() % n); };
    const auto reference = [&](const std::string& text) {
        const std::string folded = text::searchFolded(text);
        std::size_t count = 0;
        for (int r = 1; r < grid().rows(); ++r)
            for (int col : {1, 8, 12, 17})
                if (text::searchFolded(grid().text(r, col)).find(folded) != std::string::npos) {
                    ++count;
                    break;
                }
        return count;
    };
    for (int step = 0; step < 400; ++step) {
        const int rows = grid().rows();
        switch (pick(6)) {
        case 0: grid().setText(1 + pick(static_cast<std::size_t>(rows - 1)), 12, words[static_cast<std::size_t>(pick(words.size()))]); break;
        case 1: if (rows > 2) grid().removeRow(1 + pick(static_cast<std::size_t>(rows - 1))); break;
        case 2: grid().insertRow(1 + pick(static_cast<std::size_t>(rows))); break;
        case 4: if (rows > 3) grid().removeRows({1, rows - 1}); break;
        case 3: grid().setText(1 + pick(static_cast<std::size_t>(rows - 1)), 17, words[static_cast<std::size_t>(pick(words.size()))]); break;
        default: grid().setText(1 + pick(static_cast<std::size_t>(rows - 1)), 1, std::to_string(pick(30))); break;
        }
        // Folding and counting in slices between edits: a change under way
        // starts it over.
        const std::string& word = words[static_cast<std::size_t>(pick(words.size()))];
        if (pick(2) == 0) control->PrepareFindLines(1 + pick(3), pick(2) ? word : "");
        if (pick(2) == 0) continue;
        // A match found before the count is the one the counted search finds.
        const int from = pick(static_cast<std::size_t>(grid().rows() + 1));
        const LineMatch quick = control->FindLines(word, from, FindDirection::Forward, FindCount::Later);
        if (pick(2) == 0)
            while (!control->PrepareFindLines(1 + pick(3), word)) {
            }
        const LineMatch counted = control->FindLines(word, from);
        ASSERT_EQ(std::tuple(quick.row, quick.wrapped), std::tuple(counted.row, counted.wrapped)) << "step " << step;
        ASSERT_TRUE(!quick.counted || (quick.index == counted.index && quick.count == counted.count)) << "step " << step;
        ASSERT_EQ(counted.count, reference(word)) << "step " << step << ", " << word;
    }
}

} // namespace
} // namespace zelt::testing
