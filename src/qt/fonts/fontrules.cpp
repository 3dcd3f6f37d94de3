// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt/fonts/fontrules.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

namespace tarvelio {

namespace {

using std::string_view;

struct Element {
    static constexpr std::size_t kNone = ~std::size_t(0);
    static constexpr std::size_t kMaxAttributes = 6;

    string_view name;
    std::array<std::pair<string_view, string_view>, kMaxAttributes> attributes {};
    std::size_t attributeCount = 0;
    string_view text; // the first run of character data inside, as written
    std::size_t firstChild = kNone, lastChild = kNone, nextSibling = kNone;
    std::size_t begin = 0, end = 0; // the element in its file, tags included

    string_view attribute(string_view key) const {
        for (std::size_t i = 0; i < attributeCount; ++i) {
            if (attributes[i].first == key)
                return attributes[i].second;
        }
        return {};
    }
};

// Calls f with the index of every child of an element, in order.
template <typename F> void forChildren(const std::vector<Element>& elements, const Element& e, F f) {
    for (std::size_t i = e.firstChild; i != Element::kNone; i = elements[i].nextSibling)
        f(i);
}

std::size_t childCount(const std::vector<Element>& elements, const Element& e) {
    std::size_t n = 0;
    forChildren(elements, e, [&n](std::size_t) { ++n; });
    return n;
}

// Top-level elements whose content never matters here: what they hold is passed over
// unread, up to their end tag.
bool skippedWhole(string_view name) {
    return name == "alias" || name == "description" || name == "its:rules";
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool equalsIgnoringCase(string_view a, string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// A reader of the XML that rule files are written in: elements, attributes, character
// data, comments, the declaration and a document type without an internal subset.
// Anything else (CDATA, entities defined in the file, another encoding, a tag left open)
// makes the file unreadable here. Element 0 is the root.
class Reader {
public:
    explicit Reader(string_view xml)
        : m_xml(xml) {
        m_elements.reserve(static_cast<std::size_t>(std::count(xml.begin(), xml.end(), '<')));
    }

    std::optional<std::vector<Element>> read() {
        while (m_pos < m_xml.size()) {
            if (!step())
                return std::nullopt;
        }
        if (!m_open.empty() || m_elements.empty())
            return std::nullopt;
        return std::move(m_elements);
    }

private:
    bool starts(string_view s) const { return m_xml.substr(m_pos, s.size()) == s; }

    bool skipPast(string_view end) {
        const std::size_t at = m_xml.find(end, m_pos);
        if (at == string_view::npos)
            return false;
        m_pos = at + end.size();
        return true;
    }

    void skipBlanks() {
        while (m_pos < m_xml.size() && isBlank(m_xml[m_pos]))
            ++m_pos;
    }

    string_view name() {
        const std::size_t from = m_pos;
        while (m_pos < m_xml.size() && !isBlank(m_xml[m_pos]) && m_xml[m_pos] != '>' && m_xml[m_pos] != '/'
            && m_xml[m_pos] != '=')
            ++m_pos;
        return m_xml.substr(from, m_pos - from);
    }

    bool step() {
        if (m_xml[m_pos] != '<')
            return text();
        if (starts("<?"))
            return declaration();
        if (starts("<!--"))
            return skipPast("-->");
        if (starts("<!DOCTYPE")) {
            const std::size_t close = m_xml.find('>', m_pos);
            if (close == string_view::npos
                || m_xml.substr(m_pos, close - m_pos).find('[') != string_view::npos)
                return false;
            m_pos = close + 1;
            return true;
        }
        if (starts("<!"))
            return false;
        if (starts("</"))
            return closeTag();
        return openTag();
    }

    bool declaration() {
        const std::size_t from = m_pos;
        if (!skipPast("?>"))
            return false;
        const string_view decl = m_xml.substr(from, m_pos - from);
        const std::size_t enc = decl.find("encoding");
        if (enc == string_view::npos)
            return true;
        const std::size_t quote = decl.find_first_of("\"'", enc);
        if (quote == string_view::npos)
            return false;
        const std::size_t close = decl.find(decl[quote], quote + 1);
        if (close == string_view::npos)
            return false;
        const string_view value = decl.substr(quote + 1, close - quote - 1);
        return equalsIgnoringCase(value, "UTF-8");
    }

    bool text() {
        const std::size_t from = m_pos;
        m_pos = std::min(m_xml.find('<', m_pos), m_xml.size());
        const string_view run = m_xml.substr(from, m_pos - from);
        if (m_open.empty())
            return std::all_of(run.begin(), run.end(), isBlank);
        Element& inside = m_elements[m_open.back()];
        if (inside.text.empty())
            inside.text = run;
        return true;
    }

    bool openTag() {
        Element e;
        e.begin = m_pos++;
        e.name = name();
        if (e.name.empty())
            return false;
        for (;;) {
            skipBlanks();
            if (m_pos >= m_xml.size())
                return false;
            if (starts("/>")) {
                m_pos += 2;
                e.end = m_pos;
                return add(std::move(e), false);
            }
            if (m_xml[m_pos] == '>') {
                ++m_pos;
                if (m_open.size() == 1 && skippedWhole(e.name)) {
                    const std::string close = "</" + std::string(e.name) + ">";
                    if (!skipPast(close))
                        return false;
                    e.end = m_pos;
                    return add(std::move(e), false);
                }
                return add(std::move(e), true);
            }
            const string_view key = name();
            skipBlanks();
            if (key.empty() || m_pos >= m_xml.size() || m_xml[m_pos] != '=')
                return false;
            ++m_pos;
            skipBlanks();
            if (m_pos >= m_xml.size() || (m_xml[m_pos] != '"' && m_xml[m_pos] != '\''))
                return false;
            const char quote = m_xml[m_pos++];
            const std::size_t close = m_xml.find(quote, m_pos);
            if (close == string_view::npos)
                return false;
            const string_view value = m_xml.substr(m_pos, close - m_pos);
            if (value.find('<') != string_view::npos || e.attributeCount == Element::kMaxAttributes)
                return false;
            e.attributes[e.attributeCount++] = {key, value};
            m_pos = close + 1;
        }
    }

    bool add(Element e, bool open) {
        // One root only, and nothing after it.
        if (m_open.empty() && !m_elements.empty())
            return false;
        const std::size_t index = m_elements.size();
        if (!m_open.empty()) {
            Element& parent = m_elements[m_open.back()];
            if (parent.lastChild == Element::kNone)
                parent.firstChild = index;
            else
                m_elements[parent.lastChild].nextSibling = index;
            parent.lastChild = index;
        }
        m_elements.push_back(e);
        if (open)
            m_open.push_back(index);
        return true;
    }

    bool closeTag() {
        m_pos += 2;
        const string_view closed = name();
        skipBlanks();
        if (m_open.empty() || m_pos >= m_xml.size() || m_xml[m_pos] != '>'
            || m_elements[m_open.back()].name != closed)
            return false;
        ++m_pos;
        m_elements[m_open.back()].end = m_pos;
        m_open.pop_back();
        return true;
    }

    string_view m_xml;
    std::size_t m_pos = 0;
    std::vector<Element> m_elements;
    std::vector<std::size_t> m_open;
};

// Fontconfig compares family names without regard to case or blanks.
std::string folded(string_view family) {
    std::string out;
    for (const char c : family) {
        if (!isBlank(c))
            out += c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    }
    return out;
}

// Properties that a pattern rule may add without changing how the faces are drawn: both
// faces have the one family, the same languages and no colour, so neither is chosen over
// the other for them, and the font's own values are what is drawn with.
constexpr std::array<string_view, 3> kSharedProperties {"family", "lang", "color"};

bool isShared(string_view property) {
    return std::find(kSharedProperties.begin(), kSharedProperties.end(), property) != kSharedProperties.end();
}

class Classifier {
public:
    explicit Classifier(string_view family)
        : m_family(folded(family)) { }

    // Takes one file's elements; false where one cannot be told apart.
    bool take(string_view xml, const std::vector<Element>& elements) {
        const Element& root = elements[0];
        if (root.name != "fontconfig")
            return false;
        bool known = true;
        forChildren(elements, root, [&](std::size_t i) {
            if (known)
                known = takeElement(xml, elements, elements[i]);
        });
        return known;
    }

    bool takeElement(string_view xml, const std::vector<Element>& elements, const Element& e) {
        {
            if (e.name == "description" || e.name == "its:rules")
                return true;
            if (e.name == "alias") {
                m_changed.push_back("family");
                return true;
            }
            if (e.name == "match") {
                if (!dropsMatch(elements, e))
                    keep(xml, elements, e);
                return true;
            }
            if (e.name == "selectfont" || e.name == "include" || e.name == "dir" || e.name == "cachedir"
                || e.name == "config" || e.name == "remap-dir" || e.name == "reset-dirs") {
                keep(xml, elements, e);
                return true;
            }
            return false;
        }
    }

    // The kept rules, unless one of them looks at a property a left-out rule changed.
    std::optional<std::string> result() const {
        for (const string_view read : m_read) {
            if (std::find(m_changed.begin(), m_changed.end(), read) != m_changed.end())
                return std::nullopt;
        }
        return m_kept;
    }

private:
    static string_view targetOf(const Element& match) {
        const string_view t = match.attribute("target");
        return t.empty() ? string_view("pattern") : t;
    }

    static string_view testTarget(const Element& test, string_view matchTarget) {
        const string_view t = test.attribute("target");
        return t.empty() || t == "default" ? matchTarget : t;
    }

    // A test of the font (or the scanned font) for one other family never holds for the
    // window's faces, so its rule never applies to them.
    bool testsForAnotherFamily(
        const std::vector<Element>& elements, const Element& test, string_view target) const {
        if (test.attribute("name") != "family" || testTarget(test, target) != target)
            return false;
        const string_view qual = test.attribute("qual");
        const string_view compare = test.attribute("compare");
        if ((!qual.empty() && qual != "any") || (!compare.empty() && compare != "eq")
            || childCount(elements, test) != 1)
            return false;
        const Element& value = elements[test.firstChild];
        if (value.name != "string" || value.firstChild != Element::kNone)
            return false;
        // Entities and characters beyond ASCII are compared the way fontconfig folds them;
        // such a rule is kept rather than judged here.
        if (std::any_of(value.text.begin(), value.text.end(),
                [](char c) { return c == '&' || static_cast<unsigned char>(c) >= 0x80; }))
            return false;
        return folded(value.text) != m_family;
    }

    bool dropsMatch(const std::vector<Element>& elements, const Element& match) {
        const string_view target = targetOf(match);
        std::vector<string_view> edits;
        bool otherFamily = false;
        forChildren(elements, match, [&](std::size_t i) {
            const Element& child = elements[i];
            if (child.name == "edit")
                edits.push_back(child.attribute("name"));
            else if (child.name == "test" && target != "pattern")
                otherFamily = otherFamily || testsForAnotherFamily(elements, child, target);
        });
        if (otherFamily)
            return true;
        if (target == "pattern" && !edits.empty() && std::all_of(edits.begin(), edits.end(), isShared)) {
            m_changed.insert(m_changed.end(), edits.begin(), edits.end());
            return true;
        }
        return false;
    }

    // What a kept rule reads of the pattern: its tests of the pattern, and the properties
    // its expressions name.
    void noteReads(const std::vector<Element>& elements, const Element& e, string_view target) {
        if (e.name == "test" && testTarget(e, target) == "pattern")
            m_read.push_back(e.attribute("name"));
        if (e.name == "name") {
            string_view property = e.text;
            while (!property.empty() && isBlank(property.front()))
                property.remove_prefix(1);
            while (!property.empty() && isBlank(property.back()))
                property.remove_suffix(1);
            m_read.push_back(property);
        }
        forChildren(elements, e, [&](std::size_t i) { noteReads(elements, elements[i], target); });
    }

    void keep(string_view xml, const std::vector<Element>& elements, const Element& e) {
        if (e.name == "match")
            noteReads(elements, e, targetOf(e));
        m_kept.append(xml.substr(e.begin, e.end - e.begin));
        m_kept += '\n';
    }

    std::string m_family;
    std::string m_kept;
    std::vector<string_view> m_changed;
    std::vector<string_view> m_read;
};

} // namespace

std::optional<std::string> renderingRules(const std::vector<std::string>& files, std::string_view family) {
    Classifier classifier(family);
    for (const std::string& xml : files) {
        const auto elements = Reader(xml).read();
        if (!elements || !classifier.take(xml, *elements))
            return std::nullopt;
    }
    return classifier.result();
}

} // namespace tarvelio
