#pragma once
// Compiles a report script into coded lines (see vlinterpreter.h). Used by
// TvlInterpretator::PrepareScript; one compiler per compilation, so
// compilations never share their label table.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

class vlScriptCompiler
{
public:
    explicit vlScriptCompiler(const QStringList &source);

    // Compiles the whole script; on failure returns false and Error() holds
    // the message with its line and column.
    bool Compile();
    const QStringList &Coded() const { return m_coded; }
    const QString &Error() const { return m_error; }

    // The source as the compiler reads it: comments cut outside quotes,
    // tabs and runs of blanks outside quotes reduced to one blank.
    static QString PrepareLine(const QString &line);

    // Compile messages.
    static const QString MsgSemicolonOrEnd;
    static const QString MsgThen;
    static const QString MsgSemicolonOrUntil;
    static const QString MsgDo;
    static const QString MsgLabelNumber;
    static const QString MsgAssign;
    static const QString MsgCloseParen;
    static const QString MsgCloseBracket;
    static const QString MsgCommaOrParen;
    static const QString MsgCloseQuote;
    static const QString MsgUndefinedLabel;

private:
    struct Fail
    {
        QString message;
        int position;
    };

    void statement();
    void block();
    void ifStatement();
    void repeatStatement();
    void whileStatement();
    void gotoStatement();
    void labelOrAssignment();

    QString readWord(int *start = nullptr);
    bool wordIs(const QString &word, const QString &keyword) const;
    void skipBlanks();
    QChar peek(int offset = 0) const;
    [[noreturn]] void fail(const QString &message, int position) const;

    // Expression validation; returns the expression text as written.
    QString expression();
    void simpleExpression();
    void term();
    void factor();
    bool readVariableReference(QString *name, QString *index);
    bool matchWordOperator(const char *word);
    bool isIdentifierChar(QChar c) const;

    int addLine(const QString &line);
    void setTarget(int line, int target);
    void resolveLabels();
    QString locate(int position) const;

    QStringList m_source;
    QString m_buffer;
    QVector<QPair<int, int>> m_origin; // source line and column of each character
    int m_pos = 0;
    QStringList m_coded;
    QString m_error;
    QHash<QString, int> m_labels;
    QVector<QPair<int, int>> m_gotos; // coded line, source position
};
