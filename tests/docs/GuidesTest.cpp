// The guides in docs/ against the tree: each code block marked as an example is the example file
// word for word, every example is shown by a guide, and every picture or page a guide links to
// exists (and every picture is shown), so that the guides cannot drift from what the build checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path docs = fs::path(VEXO_SOURCE_DIR) / "docs";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<fs::path> guides() {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(docs))
        if (entry.path().extension() == ".md") found.push_back(entry.path());
    return found;
}

// A quoted example: "<!-- example: FILE -->" (FILE relative to docs/), a fence line, the file's
// lines, a closing fence and "<!-- end example -->". fenced is false for a block not shaped so.
struct Quote {
    std::string file;
    std::string body;
    bool fenced = false;
};

std::vector<Quote> quotes(const fs::path& guide) {
    static const std::string open = "<!-- example: ", close = "```\n<!-- end example -->";
    const std::string text = readFile(guide);
    std::vector<Quote> found;
    for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
        const std::size_t markerEnd = text.find(" -->\n```", at);
        const std::size_t end = text.find(close, at);
        Quote q{text.substr(at + open.size(), markerEnd - at - open.size()), {}, false};
        if (markerEnd != std::string::npos && end != std::string::npos && markerEnd < end) {
            const std::size_t bodyStart = text.find('\n', markerEnd + 5) + 1; // after the fence line
            if (bodyStart <= end) {
                q.fenced = true;
                q.body = text.substr(bodyStart, end - bodyStart);
            }
        }
        found.push_back(q);
    }
    return found;
}

// The page without its code (fenced blocks and inline spans), where brackets are C++, not links.
std::string prose(const std::string& page) {
    std::string out;
    bool fenced = false;
    std::istringstream lines(page);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("```")) fenced = !fenced;
        if (fenced || line.starts_with("```")) continue;
        bool inSpan = false;
        for (char c : line) {
            if (c == '`')
                inSpan = !inSpan;
            else if (!inSpan)
                out += c;
        }
        out += '\n';
    }
    return out;
}

// Targets of Markdown links and images that are neither web addresses nor anchors in the page.
std::vector<std::string> localLinks(const fs::path& guide, bool images) {
    static const std::regex link(R"((!?)\[[^\]]*\]\(([^)\s]+)\))");
    const std::string text = prose(readFile(guide));
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), link); it != std::sregex_iterator(); ++it) {
        const std::string target = (*it)[2];
        if (((*it)[1] == "!") != images || target.starts_with("http") || target.starts_with("#")) continue;
        found.push_back(target.substr(0, target.find('#')));
    }
    return found;
}

} // namespace

TEST(GuidesTest, QuoteEachExampleWordForWordAndShowThemAll) {
    std::set<std::string> quoted;
    for (const fs::path& guide : guides()) {
        for (const Quote& q : quotes(guide)) {
            SCOPED_TRACE(guide.filename().string() + " quoting " + q.file);
            ASSERT_TRUE(q.fenced)
                << "the marker must be followed by a fenced block that ends before its end marker";
            ASSERT_TRUE(fs::exists(docs / q.file));
            EXPECT_EQ(q.body, readFile(docs / q.file)) << "copy the file into the guide again";
            quoted.insert(fs::path(q.file).lexically_normal().string());
        }
    }
    for (const auto& entry : fs::directory_iterator(docs / "examples")) {
        const fs::path relative = entry.path().lexically_relative(docs);
        if (entry.path().filename() == "main.cpp") continue; // the runner, not an example
        EXPECT_TRUE(quoted.contains(relative.string())) << relative << " is shown by no guide";
    }
}

TEST(GuidesTest, LinkOnlyToPicturesAndPagesThatExist) {
    std::set<fs::path> shown;
    for (const fs::path& guide : guides()) {
        for (bool images : {true, false}) {
            for (const std::string& target : localLinks(guide, images)) {
                const fs::path path = fs::weakly_canonical(guide.parent_path() / target);
                EXPECT_TRUE(fs::exists(path))
                    << guide.filename() << " links to " << target << ", which is missing";
                if (!images) continue;
                shown.insert(path);
                EXPECT_EQ(path.parent_path(), fs::weakly_canonical(docs / "pictures"))
                    << guide.filename() << " shows " << target << " from outside docs/pictures";
            }
        }
    }
    // A picture no guide shows is dead weight in the repository.
    for (const auto& entry : fs::directory_iterator(docs / "pictures"))
        EXPECT_TRUE(shown.contains(fs::weakly_canonical(entry.path())))
            << entry.path().filename() << " is shown by no guide";
}
