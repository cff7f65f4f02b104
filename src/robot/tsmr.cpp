// SPDX-License-Identifier: GPL-3.0-or-later
#include "robot/tsmr.h"

#include "common/cp932.h"
#include "robot/instructioncode.h"

#include <QRegularExpression>

#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Each pattern tests how a line begins; whatever follows a recognised statement is left to the
// translation. The last one accepts any line that still holds a slash after the comment cut.
const std::array<QRegularExpression, 16> &linePatterns()
{
    static const auto opts = QRegularExpression::CaseInsensitiveOption;
    static const std::array<QRegularExpression, 16> patterns{
        QRegularExpression(uR"(^\s*motor\((fwd|rev|stop),(fwd|rev|stop)\)($|\s*\/\/.+|\s*))"_s, opts),
        QRegularExpression(uR"(^\s*wait\s*\(\d{1,3}\)($|\s*\/\/.+|\s*))"_s, opts),
        QRegularExpression(uR"(^\s*if\s*\((sw1|sw2|io1|io2)\s*=\s*(on|off|hi|lo)\)($|\s*\/\/.+|\s*))"_s, opts),
        QRegularExpression(uR"(^\s*elseif($|\s*\/\/.+|\s*))"_s, opts),
        QRegularExpression(uR"(^\s*endif($|\s*\/\/.+|\s*))"_s, opts),
        QRegularExpression(uR"(^\s*while\s*\((sw1|sw2|io1|io2)\s*=\s*(on|off|hi|lo)\)($|\s*\/\/.+|\s*))"_s, opts),
        QRegularExpression(uR"(^\s*endwhile($|\s*\/\/.+|\s*))"_s, opts),
        QRegularExpression(uR"(^\s*loop\(\d{1,3}\)($|\s*\/\/.+|\s*))"_s, opts),
        QRegularExpression(uR"(^\s*endloop($|\s*\/\/.+|\s*))"_s, opts),
        QRegularExpression(uR"(^\s*while\(1\)($|\s*\/\/.+|\s*))"_s, opts),
        QRegularExpression(uR"(^\s*motor_set\s*(1|2)($|\s*\/\/.+|\s*))"_s, opts),
        QRegularExpression(uR"(^\s*setio[12]\((in|IN|out|OUT)\)($|\s*\/\/.+|\s*))"_s, opts),
        QRegularExpression(uR"(^\s*io[12]\((on|ON|off|OFF)\)($|\s*\/\/.+|\s*))"_s, opts),
        QRegularExpression(uR"(^\s*$)"_s, opts),
        QRegularExpression(uR"(^\s*speed\(\d{1,3},\d{1,3}\)\s*($|\s*\/\/.+|\s*))"_s, opts),
        QRegularExpression(uR"((^\/|.*\/))"_s, opts),
    };
    return patterns;
}

// Removes the last "/" and what follows it.
void cutAtLastSlash(QString &line)
{
    const qsizetype slash = line.lastIndexOf(u'/');
    if (slash >= 0)
        line.truncate(slash);
}

struct Token
{
    QString text;
    int line = 0;
};

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Words (a letter or "_", then letters, digits and "_") and digit runs; everything else,
// characters outside ASCII included, only separates.
void tokenize(const QString &line, int lineNumber, QList<Token> &tokens)
{
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = line[i];
        qsizetype end = i;
        if (isAsciiLetter(c) || c == u'_') {
            ++end;
            while (end < n && (isAsciiLetter(line[end]) || isAsciiDigit(line[end]) || line[end] == u'_'))
                ++end;
        } else if (isAsciiDigit(c)) {
            while (end < n && isAsciiDigit(line[end]))
                ++end;
        } else {
            ++i;
            continue;
        }
        tokens.append(Token{line.mid(i, end - i), lineNumber});
        i = end;
    }
}

bool isOneOf(const QString &word, std::initializer_list<const char16_t *> forms)
{
    for (const char16_t *form : forms) {
        if (word == QStringView(form))
            return true;
    }
    return false;
}

// A value token is accepted when it is a number from 1 to 255; it is emitted as written.
bool isValue(const QString &token)
{
    if (token.isEmpty() || !isAsciiDigit(token[0]))
        return false;
    QStringView digits(token);
    while (digits.size() > 1 && digits[0] == u'0')
        digits = digits.mid(1);
    if (digits.size() > 3)
        return false;
    const int value = digits.toInt();
    return value >= 1 && value <= 255;
}

std::optional<MotorDirection> directionOf(const QString &word)
{
    if (isOneOf(word, {u"stop", u"STOP"}))
        return MotorDirection::Stop;
    if (isOneOf(word, {u"fwd", u"FWD"}))
        return MotorDirection::Fwd;
    if (isOneOf(word, {u"rev", u"REV"}))
        return MotorDirection::Rev;
    return std::nullopt;
}

std::optional<Sensor> sensorOf(const QString &word)
{
    if (isOneOf(word, {u"SW1", u"sw1"}))
        return Sensor::Sw1;
    if (isOneOf(word, {u"SW2", u"sw2"}))
        return Sensor::Sw2;
    if (isOneOf(word, {u"IO1", u"io1"}))
        return Sensor::Io1;
    if (isOneOf(word, {u"IO2", u"io2"}))
        return Sensor::Io2;
    return std::nullopt;
}

// Switches take on/off, I/O lines hi/lo; anything else is a wrong state.
std::optional<SensorState> stateOf(Sensor sensor, const QString &word)
{
    const bool isSwitch = sensor == Sensor::Sw1 || sensor == Sensor::Sw2;
    if (isSwitch) {
        if (isOneOf(word, {u"ON", u"on"}))
            return SensorState::On;
        if (isOneOf(word, {u"OFF", u"off"}))
            return SensorState::Off;
        return std::nullopt;
    }
    if (isOneOf(word, {u"HI", u"hi", u"Hi"}))
        return SensorState::Hi;
    if (isOneOf(word, {u"LO", u"lo", u"Lo"}))
        return SensorState::Lo;
    return std::nullopt;
}

// The token walk of one translation.
class Walker
{
public:
    Walker(TSmr &smr, QList<Token> tokens) : m_smr(smr), m_tokens(std::move(tokens)) {}

    QStringList run()
    {
        while (m_pos < m_tokens.size())
            statement();
        return m_out;
    }
    QList<int> lines() const { return m_lines; }

private:
    bool atEnd() const { return m_pos >= m_tokens.size(); }

    // The next token; past the end, an empty token on the line after the given one.
    Token take(int lineIfMissing)
    {
        if (atEnd())
            return Token{QString(), lineIfMissing};
        return m_tokens[m_pos++];
    }

    void put(quint8 code) { emitAsWritten(QString::number(code)); }
    void emitAsWritten(const QString &value)
    {
        m_out.append(value);
        m_lines.append(m_statementLine);
    }

    void fault(int line, const char16_t *detail) { m_smr.AddMessage(line, QString::fromUtf16(detail)); }

    void value(const Token &t)
    {
        if (!isValue(t.text))
            fault(t.line, smr::VALUE_RANGE);
        emitAsWritten(t.text);
    }

    // "wait n" after a motor or io statement. A token that is not a wait is still used up.
    void waitCount(int statementLine)
    {
        const Token w = take(statementLine + 1);
        if (!isOneOf(w.text, {u"wait", u"WAIT"})) {
            fault(statementLine + 1, smr::MISSING_WAIT);
            return;
        }
        value(take(w.line));
    }

    void statement()
    {
        const Token t = m_tokens[m_pos++];
        const QString &w = t.text;
        m_statementLine = t.line;
        if (isOneOf(w, {u"speed", u"SPEED"})) {
            put(opcode::SPEED);
            value(take(t.line));
            value(take(t.line));
        } else if (isOneOf(w, {u"motor_set", u"MOTOR_SET"})) {
            const Token v = take(t.line);
            if (v.text == u"1" || v.text == u"2")
                m_motorSet = v.text.toInt();
            else
                fault(v.line, smr::MOTOR_SET_VALUE);
        } else if (isOneOf(w, {u"loop", u"LOOP"})) {
            put(opcode::LOOP);
            value(take(t.line));
        } else if (isOneOf(w, {u"endloop", u"ENDLOOP"})) {
            put(opcode::END_LOOP);
        } else if (isOneOf(w, {u"if", u"IF"})) {
            condition(t, ifCode);
        } else if (isOneOf(w, {u"elseif", u"ELSEIF"})) {
            put(opcode::ELSE_IF);
        } else if (isOneOf(w, {u"endif", u"ENDIF"})) {
            put(opcode::END_IF);
        } else if (isOneOf(w, {u"while", u"WHILE"})) {
            condition(t, whileCode);
        } else if (w == u"1") {
            put(opcode::WHILE_FOREVER);
        } else if (isOneOf(w, {u"endwhile", u"ENDWHILE"})) {
            put(opcode::END_WHILE);
        } else if (isOneOf(w, {u"motor", u"MOTOR"})) {
            motor(t);
        } else if (isOneOf(w, {u"setio1", u"SETIO1", u"setIO1"})) {
            setIo(t, opcode::SET_IO1_IN, opcode::SET_IO1_OUT);
        } else if (isOneOf(w, {u"setio2", u"SETIO2", u"setIO2"})) {
            setIo(t, opcode::SET_IO2_IN, opcode::SET_IO2_OUT);
        } else if (isOneOf(w, {u"io1", u"IO1"})) {
            io(t, opcode::IO1_ON, opcode::IO1_OFF);
        } else if (isOneOf(w, {u"io2", u"IO2"})) {
            io(t, opcode::IO2_ON, opcode::IO2_OFF);
        } else if (w == QStringView(smr::BLANK_MARKER)) {
            // a blank or comment-only line
        } else {
            fault(t.line, smr::CHECK_NEIGHBOURS);
        }
    }

    // if/while: a sensor word and its state; any other token starts the next statement.
    void condition(const Token &keyword, std::optional<quint8> (*codeOf)(Sensor, SensorState))
    {
        if (atEnd())
            return;
        const std::optional<Sensor> sensor = sensorOf(m_tokens[m_pos].text);
        if (!sensor)
            return;
        ++m_pos;
        const Token s = take(keyword.line);
        const std::optional<SensorState> state = stateOf(*sensor, s.text);
        const std::optional<quint8> code = state ? codeOf(*sensor, *state) : std::nullopt;
        if (!code) {
            fault(s.line, smr::ON_OR_OFF);
            return;
        }
        put(*code);
    }

    void motor(const Token &keyword)
    {
        const Token l = take(keyword.line);
        const Token r = take(keyword.line);
        const std::optional<MotorDirection> left = directionOf(l.text);
        const std::optional<MotorDirection> right = directionOf(r.text);
        if (!left)
            fault(l.line, smr::BAD_DIRECTION);
        if (!right)
            fault(r.line, smr::BAD_DIRECTION);
        if (left && right)
            put(motorCode(*left, *right, m_motorSet));
        waitCount(keyword.line);
    }

    void setIo(const Token &keyword, quint8 in, quint8 out)
    {
        const Token v = take(keyword.line);
        if (isOneOf(v.text, {u"in", u"IN"}))
            put(in);
        else if (isOneOf(v.text, {u"out", u"OUT"}))
            put(out);
        else
            fault(v.line, smr::IN_OR_OUT);
    }

    // A state other than on/off emits no code and counts as a statement without its wait.
    void io(const Token &keyword, quint8 on, quint8 off)
    {
        const Token v = take(keyword.line);
        if (isOneOf(v.text, {u"on", u"ON"})) {
            put(on);
        } else if (isOneOf(v.text, {u"off", u"OFF"})) {
            put(off);
        } else {
            fault(keyword.line + 1, smr::MISSING_WAIT);
            return;
        }
        waitCount(keyword.line);
    }

    TSmr &m_smr;
    QList<Token> m_tokens;
    qsizetype m_pos = 0;
    int m_motorSet = 2;
    QStringList m_out;
    int m_statementLine = 0;
    QList<int> m_lines;
};

QString joinLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += u"\r\n";
    }
    return text;
}

}

TSmr::TSmr(const QString &programText) : m_text(programText) {}

bool TSmr::Compile()
{
    if (m_compiled)
        return m_ok;
    m_compiled = true;
    CheckLines();
    if (m_ok)
        Translate();
    return m_ok;
}

QString TSmr::GetCode() const
{
    return joinLines(m_results);
}

QString TSmr::GetMessages() const
{
    return joinLines(m_messages);
}

void TSmr::AddMessage(int lineNumber, const QString &detail)
{
    m_messages.append(QString::number(lineNumber) + u"行目が違います("_s + detail + u')');
    m_ok = false;
}

void TSmr::CheckLines()
{
    const QStringList lines = cp932::splitLines(m_text);
    const auto &patterns = linePatterns();
    int lineNumber = 0;
    for (QString line : lines) {
        ++lineNumber;
        // Two cuts: "//" comments go, and a comment holding one more "/" leaves one behind.
        cutAtLastSlash(line);
        cutAtLastSlash(line);
        if (line.isEmpty())
            line = QString::fromUtf16(smr::BLANK_MARKER);
        bool accepted = false;
        for (const QRegularExpression &pattern : patterns) {
            if (pattern.match(line).hasMatch()) {
                accepted = true;
                break;
            }
        }
        if (accepted || line == QStringView(smr::BLANK_MARKER))
            m_results.append(line);
        else
            AddMessage(lineNumber, QString::fromUtf16(smr::CHECK_STATEMENT));
    }
}

void TSmr::Translate()
{
    QList<Token> tokens;
    for (qsizetype i = 0; i < m_results.size(); ++i)
        tokenize(m_results[i], static_cast<int>(i + 1), tokens);
    Walker walker(*this, std::move(tokens));
    m_results = walker.run();
    m_sourceLines = walker.lines();
}
