#include "charges/rate_store.h"

#include "charges/rate_check.h"
#include "core/storage/day_file.h"

namespace kavro {

namespace {

// The messages of a text's problems, reading them and then checking the book.
std::vector<std::string> problemsOf(const RateFileParse& parsed) {
    std::vector<RateProblem> problems = parsed.problems;
    if (problems.empty())
        problems = checkRateBook(parsed.book);
    std::vector<std::string> out;
    for (const RateProblem& p : problems)
        out.push_back(problemMessage(p));
    return out;
}

} // namespace

std::filesystem::path ratesFilePath(const std::filesystem::path& dir) {
    return dir / kRatesFileName;
}

RatesLoad loadRates(const std::filesystem::path& dir) {
    RatesLoad out;
    const std::filesystem::path path = ratesFilePath(dir);
    const FileRead read = readWholeFile(path, "料金表");
    out.exists = read.exists;
    if (read.error)
        out.errors.push_back(*read.error + "\r\n" + path.string());
    if (!read.exists || read.error)
        return out;
    RateFileParse parsed = parseRateFile(read.bytes);
    out.errors = problemsOf(parsed);
    if (out.errors.empty())
        out.book = std::move(parsed.book);
    return out;
}

std::vector<std::string> saveRates(const std::filesystem::path& dir, const RateBook& book,
                                   const FileOps& ops) {
    const std::string text = serializeRateBook(book);
    // What is written must load: read back as this book, with no problem.
    const RateFileParse reread = parseRateFile(text);
    std::vector<std::string> errors = problemsOf(reread);
    if (errors.empty() && !(reread.book == book))
        errors.push_back(std::string(kRatesFileName) + ": 保存すると値が変わってしまいます");
    if (!errors.empty())
        return errors;
    if (auto error = replaceFileAtomically(ratesFilePath(dir), text, ops))
        return {*error + "\r\n" + ratesFilePath(dir).string()};
    return {};
}

} // namespace kavro
