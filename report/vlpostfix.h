#pragma once
// A postfix text read once into the steps its evaluation takes. Running the
// steps does what evaluating the text does, in the same order: the same
// names asked for, the same operators applied, the same error raised at the
// same point; only the text is not read again. The engine evaluates each
// expression of a report for every record, so this is where its time goes.
#include "report/vlparser.h"

#include <QVarLengthArray>
#include <QVector>
#include <exception>
#include <vector>

class TvlPostfixProgram
{
public:
    // Markers (vlCallMarker onwards, each with the blank after it) stand for
    // the programs handed to Run in their order.
    explicit TvlPostfixProgram(const QString &postfix, int markers = 0);

    using Inserted = QVarLengthArray<const TvlPostfixProgram *, 8>;
    Variant Run(TvlParser &parser, const Inserted &inserted = {}) const;

private:
    enum class Mode { None, Date, Time };
    struct Step
    {
        enum Kind { Apply, SetMode, Bracketed, Name, Number, BadNumber, Text, Insert } kind;
        QChar op;
        Mode mode = Mode::None;
        int index = 0;
        double number = 0;
        QString text;
    };
    void RunInto(TvlParser &parser, QVector<Variant> &stack, Mode &mode, const Inserted &inserted) const;

    std::vector<Step> m_steps;
    std::exception_ptr m_error; // where reading the text stopped, raised after the steps before it
};
