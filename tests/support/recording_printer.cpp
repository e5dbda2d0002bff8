#include "support/recording_printer.h"

namespace testing_support {

void RecordingPrinter::Print(std::string_view text, bool lineEnd) {
    if (duringPrint) duringPrint();
    if (printCalls == failOnPrintCall) {
        ++printCalls;
        throw platform::PrinterError(printFailure, "Recorder");
    }
    ++printCalls;
    calls.push_back("print");
    if (!text.empty()) {
        pieces.push_back({page, x, y, std::string(text), underline});
        x += Width(text);
    }
    if (lineEnd) {
        pieces.push_back({page, x, y, "\n", underline});
        x = 0;
        y += lineHeight;
    }
}

void RecordingPrinter::NewPage() {
    calls.push_back("newpage");
    ++page;
    x = y = 0;
}

void RecordingPrinter::EndDoc() {
    if (failEndDoc) throw platform::PrinterError(platform::PrintFailure::Refused, "Recorder");
    calls.push_back("enddoc");
    ++endDocs;
    x = y = 0;
}

void RecordingPrinter::KillDoc() {
    calls.push_back("killdoc");
    ++killDocs;
    x = y = 0;
}

double RecordingPrinter::Width(std::string_view text) const {
    if (charWidths.empty()) return charWidth * static_cast<double>(text.size());
    double width = 0;
    for (char c : text) width += charWidths.at(static_cast<unsigned char>(c));
    return width;
}

std::string RecordingPrinter::PageText(int pageNumber) const {
    std::string text;
    for (const Piece& piece : pieces)
        if (piece.page == pageNumber) text += piece.text;
    return text;
}

}  // namespace testing_support
