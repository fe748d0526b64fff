// The print system of the tests: keeps every document handed to it, with
// its title and what printing it gave. On its own it answers with a fixed
// outcome; with a real print system behind it (the test print server) it
// hands each document on and keeps that system's answer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace qs::test {

class RecordingPrinter : public PrintSpooler {
public:
    explicit RecordingPrinter(PrintOutcome::Kind answer = PrintOutcome::Kind::Printed)
        : answer_(answer) {}
    explicit RecordingPrinter(std::unique_ptr<PrintSpooler> next) : next_(std::move(next)) {}

    PrintOutcome PrintPdf(const std::vector<uint8_t>& pdf, const std::string& title) override {
        documents.push_back(pdf);
        titles.push_back(title);
        outcomes.push_back(next_ ? next_->PrintPdf(pdf, title) : PrintOutcome{answer_, "recorded"});
        return outcomes.back();
    }

    std::vector<std::vector<uint8_t>> documents;
    std::vector<std::string> titles;
    std::vector<PrintOutcome> outcomes;

private:
    PrintOutcome::Kind answer_ = PrintOutcome::Kind::Printed;
    std::unique_ptr<PrintSpooler> next_;
};

}  // namespace qs::test
