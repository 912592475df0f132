// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/expr/engine.h"

#include "core/platform/numtext.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The engine works on UTF-16 text, as the expression texts are typed, with positions counted from
// 0. Every routine that may fail returns false: a failing routine stops at once and leaves the text
// as its earlier rewrites left it; only the driver looks at the result, and carries on.

namespace expr {

namespace {

using Text = std::u16string;

constexpr char16_t SqrtSign = u'\u00F9'; // "ù", typed for the square root

inline bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Whether an operator character is written " op " given the character before it: "^", "*" and
// "/" always; "+" unless it is an exponent sign; "-" unless it is an exponent sign or a sign after
// "(" or a space.
inline bool spacedOperator(char16_t c, char16_t before)
{
    const bool exponentSign = before == u'E' || before == u'D';
    switch (c) {
    case u'^':
    case u'*':
    case u'/':
        return true;
    case u'+':
        return !exponentSign;
    case u'-':
        return !exponentSign && before != u'(' && before != u' ';
    default:
        return false;
    }
}

// Only the letters a to z change case: any other character, "ù" among them, is kept as typed.
void upperCaseAndRemoveSpaces(Text& t)
{
    size_t w = 0;
    for (char16_t c : t) {
        if (c == u' ')
            continue;
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - (u'a' - u'A'));
        t[w++] = c;
    }
    t.resize(w);
}

// The ten function codes.
bool isCode(char16_t a, char16_t b, char16_t c)
{
    switch (a) {
    case u'S':
        return (b == u'Q' && c == u'R') || (b == u'I' && c == u'N');
    case u'C':
        return b == u'O' && c == u'S';
    case u'T':
        return b == u'A' && c == u'N';
    case u'L':
        return b == u'O' && (c == u'G' || c == u'N');
    case u'E':
        return b == u'X' && c == u'P';
    case u'I':
        return (b == u'S' && c == u'I') || (b == u'C' && c == u'O') || (b == u'T' && c == u'A');
    default:
        return false;
    }
}

bool isCodeAt(const Text& t, size_t p)
{
    return p + 3 <= t.size() && isCode(t[p], t[p + 1], t[p + 2]);
}

bool isOperatorSymbol(char16_t c)
{
    return c == u'+' || c == u'-' || c == u'*' || c == u'/' || c == u'^';
}

// A window " op " starting at p.
bool isOperatorWindowAt(const Text& t, size_t p)
{
    return p + 3 <= t.size() && t[p] == u' ' && t[p + 2] == u' ' && isOperatorSymbol(t[p + 1]);
}

Text toText(const QString& s)
{
    return Text(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size()));
}

QString toQString(const Text& t)
{
    return QString(reinterpret_cast<const QChar*>(t.data()), static_cast<qsizetype>(t.size()));
}

std::optional<double> readNumberAt(const Text& t, size_t from, size_t length)
{
    return numtext::readNumber(QStringView(t.data() + from, static_cast<qsizetype>(length)));
}

Text numberText(double value)
{
    return toText(numtext::writeNumberTrimmed(value));
}

// ---- Normalisation -------------------------------------------------------------------------

// Rewrites a text into the normalised form: upper case, one space at each end, operators as
// " op ", a space after every function code. The text is scanned once from left to right up to
// three times its starting length (surrounding spaces included); whatever lies beyond that bound
// when the text has grown past it is left as it is.
//
// The part already scanned never changes again, so it goes straight to `done`. The part still to
// scan is `pending` (characters written by the rules just ahead of the scan position, kept
// reversed: the next one last) followed by the rest of `input` from `k`.
class Normaliser {
public:
    explicit Normaliser(Text& text) : m_input(text) {}

    // prepared: the text is already in upper case, without spaces and without a leading "+".
    void run(bool prepared)
    {
        if (!prepared) {
            upperCaseAndRemoveSpaces(m_input);
            if (!m_input.empty() && m_input.front() == u'+')
                m_input.erase(0, 1);
        }
        m_input.insert(m_input.begin(), u' ');
        m_input.push_back(u' ');
        const size_t bound = 3 * m_input.size();
        m_done.reserve(m_input.size() * 2);

        while (m_done.size() < bound && !atEnd()) {
            if (m_pending.empty()) {
                copyUntilLetterRule(bound);
                if (m_done.size() >= bound || atEnd())
                    break;
            }
            applyRules();
            if (!atEnd())
                advance();
        }
        while (!m_pending.empty()) {
            m_done.push_back(m_pending.back());
            m_pending.pop_back();
        }
        m_done.append(m_input, m_k, Text::npos);
        m_input.swap(m_done);
    }

private:
    // A character that may start a rule about letters: "ù", the first letter of a code, of "LN"
    // or of "INV".
    static bool startsLetterRule(char16_t c)
    {
        switch (c) {
        case SqrtSign:
        case u'S':
        case u'C':
        case u'T':
        case u'L':
        case u'E':
        case u'I':
            return true;
        default:
            return false;
        }
    }

    // Runs through the input up to the next character of a letter rule, applying the operator
    // rules on the way (written at once: " op " takes the three places the rules would give it).
    void copyUntilLetterRule(size_t bound)
    {
        const size_t n = m_input.size();
        while (m_k < n && m_done.size() < bound) {
            const char16_t c = m_input[m_k];
            if (startsLetterRule(c))
                return;
            ++m_k;
            if (spacedOperator(c, m_done.empty() ? char16_t(0) : m_done.back())) {
                m_done.push_back(u' ');
                m_done.push_back(c);
                m_done.push_back(u' ');
            } else {
                m_done.push_back(c);
            }
        }
    }

    bool atEnd() const { return m_pending.empty() && m_k >= m_input.size(); }

    // The j-th character from the scan position (0 past the end).
    char16_t at(size_t j) const
    {
        if (j < m_pending.size())
            return m_pending[m_pending.size() - 1 - j];
        const size_t i = m_k + (j - m_pending.size());
        return i < m_input.size() ? m_input[i] : char16_t(0);
    }

    void setAt(size_t j, char16_t c)
    {
        if (j < m_pending.size())
            m_pending[m_pending.size() - 1 - j] = c;
        else if (m_k + (j - m_pending.size()) < m_input.size())
            m_input[m_k + (j - m_pending.size())] = c;
    }

    // Removes n characters at the scan position.
    void drop(size_t n)
    {
        const size_t fromPending = std::min(n, m_pending.size());
        m_pending.resize(m_pending.size() - fromPending);
        m_k = std::min(m_input.size(), m_k + (n - fromPending));
    }

    // Puts s at the scan position, before what was there.
    void put(std::u16string_view s)
    {
        for (auto it = s.rbegin(); it != s.rend(); ++it)
            m_pending.push_back(*it);
    }

    void advance()
    {
        m_done.push_back(at(0));
        drop(1);
    }

    void applyRules()
    {
        // "ù" is the square root.
        if (at(0) == SqrtSign) {
            drop(1);
            put(u"SQR");
        }
        // "LN" is the natural logarithm "LON".
        if (at(0) == u'L' && at(1) == u'N') {
            drop(2);
            put(u"LON");
        }
        // A function code is followed by one space.
        if (isCode(at(0), at(1), at(2))) {
            const char16_t code[4] = {at(0), at(1), at(2), u' '};
            drop(3);
            put(std::u16string_view(code, 4));
        }
        // "INVxyz" loses its "NV" and the letter after the new three-letter code: INVSIN is ISI.
        if (at(0) == u'I' && at(1) == u'N' && at(2) == u'V') {
            drop(3);
            setAt(2, u' ');
            put(u"I");
        }
        // Operators get a space on each side; a sign stays attached to what follows it: "+" after
        // an exponent letter, "-" after an exponent letter, "(" or a space.
        const char16_t c = at(0);
        if (spacedOperator(c, m_done.empty() ? char16_t(0) : m_done.back())) {
            const char16_t op[3] = {u' ', c, u' '};
            drop(1);
            put(std::u16string_view(op, 3));
            advance(); // the scan moves onto the symbol itself
        }
    }

    Text& m_input;
    size_t m_k = 0;
    Text m_pending;
    Text m_done;
};

void normalise(Text& t, bool prepared = false)
{
    Normaliser(t).run(prepared);
}

// ---- Simplification ------------------------------------------------------------------------

inline bool isSign(char16_t c)
{
    return c == u'+' || c == u'-';
}

// The character at k merged with the sign pairs after it, each test made on what the previous
// one left: "--" is "+", "+-" is "-", "-+" is "-", "++" is "+". k moves past what was used. A
// character other than a sign is taken alone, so sign runs are rewritten each on its own.
char16_t mergeSigns(const char16_t* s, size_t n, size_t& k)
{
    char16_t c = s[k++];
    if (k < n && c == u'-' && s[k] == u'-') {
        c = u'+';
        ++k;
    }
    if (k < n && c == u'+' && s[k] == u'-') {
        c = u'-';
        ++k;
    }
    if (k < n && c == u'-' && s[k] == u'+') {
        c = u'-';
        ++k;
    }
    if (k < n && c == u'+' && s[k] == u'+') {
        c = u'+';
        ++k;
    }
    return c;
}

// Sign pairs, left to right (see mergeSigns).
void simplifySigns(Text& t)
{
    const size_t n = t.size();
    size_t first = 0;
    while (first + 1 < n && !(isSign(t[first]) && isSign(t[first + 1])))
        ++first;
    if (first + 1 >= n)
        return; // no pair
    Text out(t, 0, first);
    out.reserve(n);
    size_t k = first;
    while (k < n)
        out.push_back(mergeSigns(t.data(), n, k));
    t.swap(out);
}

// Parentheses around a single number: "(" then an optional sign, digits and points, then ")".
// Fails when such a run reaches the end of the text (the text is then left as far as it got).
bool removeNumberParentheses(Text& t)
{
    const size_t n = t.size();
    size_t open = t.find(u'(');
    if (open == Text::npos)
        return true;
    Text out;
    out.reserve(n);
    size_t k = 0; // t[k..] is still to be copied
    for (; open != Text::npos; open = t.find(u'(', open + 1)) {
        for (size_t j = 1;; ++j) {
            if (open + j >= n) {
                out.append(t, k, Text::npos);
                t.swap(out);
                return false;
            }
            const char16_t d = t[open + j];
            if (isDigit(d) || d == u'.' || (j == 1 && isSign(d)))
                continue;
            if (d == u')' && j > 1) {
                out.append(t, k, open - k);
                out.append(t, open + 1, j - 1);
                k = open + j + 1;
            }
            break;
        }
    }
    out.append(t, k, Text::npos);
    t.swap(out);
    return true;
}

// Long texts whose rewriting runs long are rewritten in linked form (LinkedText): from this
// length on, and after this many passes over the whole text. Comparison builds set both to 0 to
// run the linked form on every text.
#ifndef OPTIPHANE_EXPR_LINKED_LENGTH
#define OPTIPHANE_EXPR_LINKED_LENGTH 256
#endif
#ifndef OPTIPHANE_EXPR_LINKED_AFTER_PASSES
#define OPTIPHANE_EXPR_LINKED_AFTER_PASSES 3
#endif
constexpr size_t LinkedLength = OPTIPHANE_EXPR_LINKED_LENGTH;
constexpr int LinkedAfterPasses = OPTIPHANE_EXPR_LINKED_AFTER_PASSES;

inline bool isDigitOrPoint(char16_t c)
{
    return isDigit(c) || c == u'.';
}

// The passes of simplification (sign pairs, a leading "+", parentheses around a number) on a
// space-free text held as a linked list of characters, for long texts: "((((1))))" needs one
// pass per level, and a group reduced inside a long text changes only its surroundings.
//
// A pass gives what a pass over the whole text gives, but looks only where the text changed
// since the previous pass; everywhere else the previous pass found nothing to do, and finds
// nothing again. What a pass looks at:
// - a sign run, when one of its characters changed or it was joined to another by the removal of
//   a parenthesis (only runs of two or more change);
// - a "(", when the characters its scan reads changed: the scan reads an optional sign, then
//   digits and points, then the character that stops it. Digits and points never change, and a
//   sign run never disappears (except a leading "+", with nothing before it), so that happens when
//   the sign just after the "(" changed, or when the "(" that stopped the scan was removed.
// Digits and points are never removed by the passes: a run of them only grows as parentheses
// between runs go, and scans jump over it (m_jump, a node further right in the same run).
class LinkedText {
public:
    static constexpr int None = -1;

    explicit LinkedText(const Text& t)
    {
        const int n = static_cast<int>(t.size());
        m_nodes.reserve(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            const int next = i + 1 < n ? i + 1 : None;
            m_nodes.push_back(Node{t[static_cast<size_t>(i)], true, i - 1, next, i});
        }
        m_head = n > 0 ? 0 : None;
        m_tail = n - 1;
    }

    Text text() const
    {
        Text t;
        t.reserve(m_nodes.size());
        for (int v = m_head; v != None; v = m_nodes[v].next)
            t.push_back(m_nodes[v].c);
        return t;
    }

    // The text with the nodes from open to close (both included) replaced by s.
    Text textReplacing(int open, int close, const Text& s) const
    {
        Text t;
        t.reserve(m_nodes.size());
        for (int v = m_head; v != None; v = m_nodes[v].next) {
            if (v == open) {
                t.append(s);
                v = close;
            } else {
                t.push_back(m_nodes[v].c);
            }
        }
        return t;
    }

    Text textBetween(int open, int close) const
    {
        Text t;
        for (int v = m_nodes[open].next; v != close; v = m_nodes[v].next)
            t.push_back(m_nodes[v].c);
        return t;
    }

    int tail() const { return m_tail; }
    char16_t at(int v) const { return m_nodes[v].c; }

    // The nearest "(" at or before v.
    int openAtOrBefore(int v) const
    {
        while (v != None && m_nodes[v].c != u'(')
            v = m_nodes[v].prev;
        return v;
    }

    // The first ")" after v.
    int closeAfter(int v) const
    {
        for (v = m_nodes[v].next; v != None; v = m_nodes[v].next)
            if (m_nodes[v].c == u')')
                return v;
        return None;
    }

    // v if it is still in the text, else the nearest character before the place it had.
    int liveAtOrBefore(int v) const
    {
        // A removed node keeps the links it had when it went; no node is inserted while passes
        // remove nodes, so the chain of removed nodes leads to the nearest one left.
        while (v != None && !m_nodes[v].alive)
            v = m_nodes[v].prev;
        return v;
    }

    // Every sign and every "(" is looked at by the next pass, as for a text never simplified.
    void lookEverywhere()
    {
        for (int v = m_head; v != None; v = m_nodes[v].next) {
            if (isSign(m_nodes[v].c))
                m_runSites.push_back(v);
            else if (m_nodes[v].c == u'(')
                queueOpen(v);
        }
    }

    // Replaces the nodes from open to close (both included) by s, the text being settled, and
    // marks the places the next pass has to look at. Returns the node before open (or None).
    int replace(int open, int close, const Text& s)
    {
        const int left = m_nodes[open].prev;
        const int right = m_nodes[close].next;
        for (int v = open;; v = m_nodes[v].next) {
            m_nodes[v].alive = false;
            if (v == close)
                break;
        }
        int last = left;
        for (char16_t c : s) {
            const int v = static_cast<int>(m_nodes.size());
            m_nodes.push_back(Node{c, true, last, None, v});
            link(last, v);
            last = v;
            m_runSites.push_back(v);
        }
        link(last, right);
        m_runSites.push_back(left);
        m_runSites.push_back(right);
        ++m_walkRound;
        queueOpenReaching(left);
        return left;
    }

    // Runs passes until one changes nothing (true) or one fails (false): a "(" whose scan runs to
    // the end of the text. The text is then as the failing pass left it.
    bool settle()
    {
        for (;;) {
            bool changed = false;

            ++m_runRound;
            std::vector<int> sites;
            sites.swap(m_runSites);
            for (int v : sites)
                changed |= reduceRunAt(v);

            if (m_head != None && m_nodes[m_head].c == u'+') {
                unlink(m_head);
                m_runSites.push_back(m_head);
                changed = true;
            }

            std::vector<int> opens;
            opens.swap(m_opens);
            ++m_openRound; // opens queued from now on are for the next pass
            bool failed = false;
            m_matches.clear();
            for (int open : opens) {
                if (!m_nodes[open].alive)
                    continue;
                int close = None;
                switch (scan(open, close)) {
                case Scan::Match:
                    m_matches.push_back({open, close});
                    break;
                case Scan::ReachesEnd:
                    failed = true;
                    break;
                case Scan::NoMatch:
                    break;
                }
            }
            for (const auto& [open, close] : m_matches) {
                unlink(open);
                unlink(close);
            }
            ++m_walkRound;
            for (const auto& [open, close] : m_matches) {
                const int left = liveAtOrBefore(open);
                m_runSites.push_back(left);
                m_runSites.push_back(m_nodes[open].next); // the first character inside
                m_runSites.push_back(liveAtOrAfter(close));
                queueOpenReaching(left);
            }
            changed |= !m_matches.empty();

            if (failed)
                return false;
            if (!changed)
                return true;
        }
    }

private:
    struct Node {
        char16_t c;
        bool alive;
        int prev;
        int next;
        int jump; // digits and points: a node of the same run, at or after this one
        unsigned runRound = 0;
        unsigned openRound = 0;
        unsigned walkRound = 0;
    };

    enum class Scan { NoMatch, Match, ReachesEnd };

    void link(int a, int b)
    {
        if (a == None)
            m_head = b;
        else
            m_nodes[a].next = b;
        if (b == None)
            m_tail = a;
        else
            m_nodes[b].prev = a;
    }

    void unlink(int v)
    {
        m_nodes[v].alive = false;
        link(m_nodes[v].prev, m_nodes[v].next);
    }

    int liveAtOrAfter(int v) const
    {
        while (v != None && !m_nodes[v].alive)
            v = m_nodes[v].next;
        return v;
    }

    void queueOpen(int v)
    {
        if (m_nodes[v].openRound == m_openRound)
            return;
        m_nodes[v].openRound = m_openRound;
        m_opens.push_back(v);
    }

    // Queues the "(" whose scan reads past v, if there is one: v itself, or the "(" before an
    // optional sign and the run of digits and points that ends at v.
    void queueOpenReaching(int v)
    {
        if (v == None)
            return;
        if (isDigitOrPoint(m_nodes[v].c)) {
            while (m_nodes[v].prev != None && isDigitOrPoint(m_nodes[m_nodes[v].prev].c)) {
                if (m_nodes[v].walkRound == m_walkRound)
                    return; // walked already in this round, towards the same "("
                m_nodes[v].walkRound = m_walkRound;
                v = m_nodes[v].prev;
            }
            v = m_nodes[v].prev;
            if (v == None)
                return;
        }
        if (isSign(m_nodes[v].c)) {
            v = m_nodes[v].prev;
            if (v == None)
                return;
        }
        if (m_nodes[v].c == u'(')
            queueOpen(v);
    }

    // The last node of the run of digits and points holding v.
    int runEnd(int v)
    {
        int end = v;
        for (;;) {
            const int jump = m_nodes[end].jump;
            if (jump != end) {
                end = jump;
                continue;
            }
            const int next = m_nodes[end].next;
            if (next == None || !isDigitOrPoint(m_nodes[next].c))
                break;
            end = next;
        }
        while (v != end) {
            const int jump = m_nodes[v].jump;
            const int step = jump != v ? jump : m_nodes[v].next;
            m_nodes[v].jump = end;
            v = step;
        }
        return end;
    }

    // The scan of removeNumberParentheses from the "(" at open.
    Scan scan(int open, int& close)
    {
        int v = m_nodes[open].next;
        if (v == None)
            return Scan::ReachesEnd;
        bool inside = false; // something between the parentheses
        if (isSign(m_nodes[v].c)) {
            inside = true;
            v = m_nodes[v].next;
            if (v == None)
                return Scan::ReachesEnd;
        }
        if (isDigitOrPoint(m_nodes[v].c)) {
            inside = true;
            v = m_nodes[runEnd(v)].next;
            if (v == None)
                return Scan::ReachesEnd;
        }
        if (inside && m_nodes[v].c == u')') {
            close = v;
            return Scan::Match;
        }
        return Scan::NoMatch;
    }

    // Rewrites the sign run holding v, once per pass; true when it changed.
    bool reduceRunAt(int v)
    {
        if (v == None || !m_nodes[v].alive || !isSign(m_nodes[v].c))
            return false;
        while (m_nodes[v].prev != None && isSign(m_nodes[m_nodes[v].prev].c))
            v = m_nodes[v].prev;
        if (m_nodes[v].runRound == m_runRound)
            return false;
        m_nodes[v].runRound = m_runRound;
        m_run.clear();
        m_runChars.clear();
        for (int w = v; w != None && isSign(m_nodes[w].c); w = m_nodes[w].next) {
            m_run.push_back(w);
            m_runChars.push_back(m_nodes[w].c);
        }
        if (m_run.size() < 2)
            return false;
        size_t kept = 0;
        for (size_t k = 0; k < m_runChars.size();)
            m_nodes[m_run[kept++]].c = mergeSigns(m_runChars.data(), m_runChars.size(), k);
        for (size_t i = kept; i < m_run.size(); ++i)
            unlink(m_run[i]);
        if (kept >= 2)
            m_runSites.push_back(v);
        const int before = m_nodes[v].prev;
        if (before != None && m_nodes[before].c == u'(')
            queueOpen(before);
        return true;
    }

    std::vector<Node> m_nodes;
    int m_head = None;
    int m_tail = None;
    std::vector<int> m_runSites; // nodes whose sign run the next pass looks at
    std::vector<int> m_opens;    // "(" the next parentheses step looks at
    std::vector<std::pair<int, int>> m_matches;
    std::vector<int> m_run;
    std::u16string m_runChars;
    unsigned m_runRound = 0;
    unsigned m_openRound = 1;
    unsigned m_walkRound = 0;
};

bool simplify(Text& t)
{
    upperCaseAndRemoveSpaces(t);
    for (int pass = 0;; ++pass) {
        if (pass == LinkedAfterPasses && t.size() >= LinkedLength) {
            LinkedText linked(t);
            linked.lookEverywhere();
            const bool settled = linked.settle();
            t = linked.text();
            if (!settled)
                return false;
            break;
        }
        // Every rewrite of a pass shortens the text: an unchanged length is an unchanged text.
        const size_t before = t.size();
        simplifySigns(t);
        if (!t.empty() && t.front() == u'+')
            t.erase(0, 1);
        if (!removeNumberParentheses(t))
            return false;
        if (t.size() == before)
            break;
    }
    normalise(t, true);
    return true;
}

// ---- Evaluation ----------------------------------------------------------------------------

void countTokens(Engine& e, const Text& t)
{
    e.parenCount = 0;
    e.operatorCount = 0;
    e.functionCount = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == u'(')
            ++e.parenCount;
        if (isOperatorWindowAt(t, i))
            ++e.operatorCount;
        if (isCodeAt(t, i))
            ++e.functionCount;
    }
}

// Code 3 for "*", "/" or "^" followed by a space two places on (near the end of the text, by the
// last character), that is an operator with nothing or another operator after it; then code 2
// when "(" and ")" are not as many.
void checkExpression(const Text& t, int& errorCode)
{
    long open = 0, close = 0;
    const size_t n = t.size();
    for (size_t i = 0; i < n; ++i) {
        const char16_t c = t[i];
        if (c == u'(')
            ++open;
        else if (c == u')')
            ++close;
        else if ((c == u'*' || c == u'/' || c == u'^') && t[std::min(i + 2, n - 1)] == u' ')
            errorCode = MissingOperand;
    }
    if (open != close)
        errorCode = UnbalancedParens;
}

bool finite(double v)
{
    return std::isfinite(v);
}

// The value of a function code applied to x; false for an invalid operation or an overflow.
bool functionValue(char16_t a, char16_t b, char16_t c, double x, int angleMode, double& result)
{
    const bool radians = angleMode == Radians;
    const double atn1 = std::atan(1.0);
    auto toRadians = [&](double v) { return radians ? v : v * 4 * atn1 / 180; };
    auto fromRadians = [&](double v) { return radians ? v : v * 180 / (atn1 * 4); };
    // The arcsine, from the arctangent as the old runtime had no arcsine of its own.
    auto arcsine = [&](double v, double& r) {
        if (v == 1) {
            r = 2 * atn1;
        } else if (v == -1) {
            r = -2 * atn1;
        } else {
            const double s = 1 - v * v;
            if (!(s > 0))
                return false;
            r = std::atan(v / std::sqrt(s));
        }
        return true;
    };
    double r = 0;
    if (a == u'S' && b == u'I') {
        result = std::sin(toRadians(x));
    } else if (a == u'C') {
        result = std::cos(toRadians(x));
    } else if (a == u'T') {
        result = std::tan(toRadians(x));
    } else if (a == u'I' && b == u'S') {
        if (!arcsine(x, r))
            return false;
        result = fromRadians(r);
    } else if (a == u'I' && b == u'C') {
        if (!arcsine(x, r))
            return false;
        result = fromRadians(2 * atn1 - r);
    } else if (a == u'I' && b == u'T') {
        result = fromRadians(std::atan(x));
    } else if (a == u'L' && c == u'G') {
        if (!(x > 0))
            return false;
        result = std::log(x) / std::log(10.0);
    } else if (a == u'L') {
        if (!(x > 0))
            return false;
        result = std::log(x);
    } else if (a == u'E') {
        result = std::exp(x);
    } else { // SQR
        if (x < 0)
            return false;
        result = std::sqrt(x);
    }
    return finite(result);
}

// Applies, leftmost first, every function whose argument is a plain number (a digit, "-" or "."
// after the code and its space), replacing the code, its space and the argument by the value.
bool applyFunctions(Engine& e, Text& t, int angleMode)
{
    // i is the scan position counted from 1, as the rules count it; the first test is at 2.
    size_t i = 1;
    do {
        ++i;
        const size_t p = i - 1;
        if (isCodeAt(t, p) && p + 4 < t.size() &&
            (isDigit(t[p + 4]) || t[p + 4] == u'-' || t[p + 4] == u'.')) {
            size_t end = p + 5;
            while (end < t.size() && t[end] != u')' && t[end] != u' ')
                ++end;
            if (end >= t.size())
                return false; // nothing ends the argument
            const std::optional<double> x = readNumberAt(t, p + 4, end - (p + 4));
            double value = 0;
            if (!x || !functionValue(t[p], t[p + 1], t[p + 2], *x, angleMode, value))
                return false;
            t.replace(p, end - p, numberText(value));
            --e.functionCount;
            // The scan starts again from the beginning. The tests at positions more than four
            // places before this one read nothing that changed, so they are skipped.
            i = i > 5 ? i - 5 : 1;
        }
    } while (i < t.size() && e.functionCount > 0);
    return true;
}

bool applyOperator(char16_t op, double x, double y, double& r)
{
    switch (op) {
    case u'^':
        r = std::pow(x, y); // 0 to a negative power and a negative base to a fractional power fail
        break;
    case u'/':
        if (y == 0)
            return false;
        r = x / y;
        break;
    case u'*':
        r = x * y;
        break;
    case u'-':
        r = x - y;
        break;
    default:
        r = x + y;
        break;
    }
    return finite(r);
}

// Reduces the operator window starting at w: its left operand runs back to the nearest space
// before the character in front of the window, its right operand from just after the window up to
// the next space. The three are replaced by the value; the spaces around them stay.
bool reduceOneOperator(Text& t, size_t w)
{
    const size_t leftSpace = t.rfind(u' ', w - 2);
    const size_t leftStart = leftSpace == Text::npos ? 0 : leftSpace + 1;
    const size_t rightStart = w + 3;
    const size_t rightSpace = t.find(u' ', w + 4);
    if (rightSpace == Text::npos)
        return false; // nothing after the operator
    const std::optional<double> x = readNumberAt(t, leftStart, w - leftStart);
    if (!x)
        return false;
    const std::optional<double> y = readNumberAt(t, rightStart, rightSpace - rightStart);
    if (!y)
        return false;
    double value = 0;
    if (!applyOperator(t[w + 1], *x, *y, value))
        return false;
    t.replace(leftStart, rightSpace - leftStart, numberText(value));
    return true;
}

// Reduces operators one at a time: each time the leftmost occurrence of the highest-priority
// operator present (windows begin at the third character or later). Stops as soon as the
// operator counter drops below 1.
bool reduceOperators(Engine& e, Text& t)
{
    if (!simplify(t))
        return false;
    if (e.operatorCount < 1) {
        // The first scan stops after its first test, made at the third character with " ^ ".
        if (t.size() > 3 && isOperatorWindowAt(t, 2) && t[3] == u'^') {
            if (!reduceOneOperator(t, 2))
                return false;
            --e.operatorCount;
        }
        return true;
    }
    // A reduction writes a number between two spaces, which never makes a new operator window.
    // So an operator found absent stays absent, and no window of an operator lies before the
    // place where it was last found, or before the place of the latest reduction.
    static constexpr char16_t Order[5] = {u'^', u'/', u'*', u'-', u'+'};
    bool absent[5] = {};
    size_t from[5] = {2, 2, 2, 2, 2};
    for (;;) {
        size_t found = Text::npos;
        for (int p = 0; p < 5 && found == Text::npos; ++p) {
            if (absent[p])
                continue;
            const char16_t window[3] = {u' ', Order[p], u' '};
            found = t.find(std::u16string_view(window, 3), from[p]);
            if (found == Text::npos)
                absent[p] = true;
            else
                from[p] = found;
        }
        if (found == Text::npos)
            return true;
        const size_t leftSpace = t.rfind(u' ', found - 2);
        if (!reduceOneOperator(t, found))
            return false;
        // windows that overlap the rewritten operands begin one place before that space or later
        const size_t changedFrom = leftSpace == Text::npos || leftSpace < 3 ? 2 : leftSpace - 1;
        for (size_t& f : from)
            f = std::min(f, changedFrom);
        if (--e.operatorCount < 1)
            return true;
    }
}

bool hasFunctionLetter(const Text& t, size_t from, size_t to)
{
    for (size_t k = from; k < to; ++k)
        if (t[k] >= u'F' && t[k] <= u'Y') // "E" and "D", the exponent letters, do not count
            return true;
    return false;
}

// The characters a normalised text may hold for the linked reduction below: those on which
// normalisation only adds spaces, so that removing the spaces gives back what was normalised.
bool isPlain(const Text& t)
{
    return std::all_of(t.begin(), t.end(), [](char16_t c) {
        return isDigitOrPoint(c) || isOperatorSymbol(c) || c == u'(' || c == u')' || c == u'E' ||
               c == u'D';
    });
}

Text withoutSpaces(const Text& t)
{
    Text s;
    s.reserve(t.size());
    for (char16_t c : t)
        if (c != u' ')
            s.push_back(c);
    return s;
}

bool reduceParenthesesOfText(Engine& e, Text& t, bool mayLink);

// The loop of reduceParentheses on a long simplified text s, held in linked form: t is
// normalise(s), and s holds only plain characters. Reducing a group there changes only its
// surroundings, which LinkedText settles without going over the whole text again; the text is
// normalised only when the loop ends. Gives what the loop gives on t.
bool reduceParenthesesLinked(Engine& e, Text& t, const Text& s)
{
    LinkedText linked(s);
    const auto normalised = [&linked] {
        Text n = linked.text();
        normalise(n, true);
        return n;
    };
    int from = linked.tail(); // no "(" after this node
    for (;;) {
        const int open = linked.openAtOrBefore(from);
        if (open == LinkedText::None) {
            t = normalised();
            return true;
        }
        const int close = linked.closeAfter(open);
        if (close == LinkedText::None) {
            t = normalised();
            return false;
        }
        Text inner = linked.textBetween(open, close);
        if (hasFunctionLetter(inner, 0, inner.size())) {
            t = normalised();
            return true;
        }
        if (!simplify(inner) || !reduceOperators(e, inner)) {
            t = normalised();
            return false;
        }
        upperCaseAndRemoveSpaces(inner);
        if (!isPlain(inner)) {
            // The rest goes as for any text.
            t = linked.textReplacing(open, close, inner);
            --e.parenCount;
            if (!simplify(t))
                return false;
            return e.parenCount > 0 ? reduceParenthesesOfText(e, t, false) : true;
        }
        const int before = linked.replace(open, close, inner);
        --e.parenCount;
        if (!linked.settle()) {
            t = linked.text();
            return false;
        }
        if (e.parenCount <= 0) {
            t = normalised();
            return true;
        }
        // Neither the value nor what followed the group holds a "(".
        from = linked.liveAtOrBefore(before);
    }
}

// Replaces the innermost parenthesised groups, last "(" first, by the value of what they hold,
// as long as they hold no function name. A long text goes on in linked form after its first
// group.
bool reduceParenthesesOfText(Engine& e, Text& t, bool mayLink)
{
    do {
        const size_t open = t.rfind(u'(');
        if (open == Text::npos)
            return true;
        const size_t close = t.find(u')', open);
        if (close == Text::npos)
            return false;
        if (hasFunctionLetter(t, open + 1, close))
            return true;
        Text inner = t.substr(open + 1, close - open - 1);
        if (!simplify(inner) || !reduceOperators(e, inner))
            return false;
        t.replace(open, close - open + 1, inner);
        --e.parenCount;
        if (!simplify(t))
            return false;
        if (mayLink && e.parenCount > 0 && t.size() >= LinkedLength) {
            mayLink = false;
            const Text s = withoutSpaces(t);
            if (isPlain(s))
                return reduceParenthesesLinked(e, t, s);
        }
    } while (e.parenCount > 0);
    return true;
}

bool reduceParentheses(Engine& e, Text& t)
{
    return reduceParenthesesOfText(e, t, true);
}

void evaluate(Engine& e, Text& t, int& errorCode, int angleMode)
{
    constexpr int PassLimit = 100;
    errorCode = NoError;
    int passes = 0;
    simplify(t);
    checkExpression(t, errorCode);
    if (errorCode != NoError)
        return;
    countTokens(e, t);
    Text recorded;
    for (;;) {
        ++passes;
        if (t == recorded)
            simplify(t);
        recorded = t;
        if (passes > PassLimit) {
            errorCode = NotReduced;
            return;
        }
        if (e.functionCount > 0) {
            applyFunctions(e, t, angleMode);
            simplify(t);
        }
        if (e.parenCount > 0)
            reduceParentheses(e, t);
        countTokens(e, t);
        if (e.functionCount > 0 || e.parenCount > 0)
            continue;
        if (e.operatorCount > 0)
            reduceOperators(e, t);
        countTokens(e, t);
        if (e.operatorCount > 0)
            continue;
        break;
    }
    const size_t first = t.find_first_not_of(u' ');
    if (first == Text::npos) {
        t.clear();
    } else {
        t.erase(t.find_last_not_of(u' ') + 1);
        t.erase(0, first);
    }
    if (t.find(u' ') != Text::npos)
        errorCode = NotReduced;
}

} // namespace

void Engine::normaliseExpression(QString& text)
{
    Text t = toText(text);
    normalise(t);
    text = toQString(t);
}

bool Engine::simplifyExpression(QString& text)
{
    Text t = toText(text);
    const bool ok = simplify(t);
    text = toQString(t);
    return ok;
}

void Engine::countTokens(const QString& text)
{
    expr::countTokens(*this, toText(text));
}

void Engine::evaluateExpression(QString& text, int& errorCode, int angleMode)
{
    Text t = toText(text);
    evaluate(*this, t, errorCode, angleMode);
    text = toQString(t);
}

void evaluateExpression(QString& text, int& errorCode, int angleMode)
{
    Engine engine;
    engine.evaluateExpression(text, errorCode, angleMode);
}

} // namespace expr
