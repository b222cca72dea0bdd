#pragma once

#include <QString>

namespace tavlen {

// What a store write did. Most callers ignore it (a failed write is simply dropped); the
// importer uses it so that it never reports success for shortcuts that were not saved.
struct StoreWrite {
    enum class Outcome {
        Written,   // the insert, update or delete ran
        Unchanged, // nothing matched, so there was nothing to write
        Failed,    // a statement failed; `error` says why
    };

    Outcome outcome = Outcome::Written;
    QString error;

    bool failed() const { return outcome == Outcome::Failed; }

    static StoreWrite written() { return {Outcome::Written, {}}; }
    static StoreWrite unchanged() { return {Outcome::Unchanged, {}}; }
    static StoreWrite failure(QString error) { return {Outcome::Failed, std::move(error)}; }
};

} // namespace tavlen
