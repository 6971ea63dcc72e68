#include "fuzzcheck.h"

#include "countingprompter.h"

#include <cstdio>
#include <cstdlib>

namespace Orlenda {

void fuzzFailure(const QString& what, const CountingPrompter* prompter) {
    std::fprintf(stderr, "\n*** %s\n", what.toUtf8().constData());
    if (prompter) {
        int n = 0;
        for (const QString& question : prompter->questions()) {
            QString shown = question;
            shown.replace(QLatin1Char('\n'), QStringLiteral(" / "));
            std::fprintf(stderr, "  question %d: %s\n", ++n, shown.left(300).toUtf8().constData());
        }
    }
    std::fflush(stderr);
    std::abort();
}

void checkQuestionCap(const CountingPrompter& prompter, const char* reading) {
    if (prompter.count() > QuestionCap)
        fuzzFailure(QStringLiteral("%1 asked %2 questions, more than %3")
                        .arg(QLatin1String(reading))
                        .arg(prompter.count())
                        .arg(QuestionCap),
                    &prompter);
}

QByteArray fuzzBytes(const unsigned char* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace Orlenda
