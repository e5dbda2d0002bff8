// A printer that prints nothing and records every call, with fixed character widths and line heights
// (the same for every character, or one per character code, as a real font measures) so that layouts
// can be checked exactly.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/printing/printer.h"

namespace testing_support {

class RecordingPrinter : public platform::Printer {
public:
    struct Piece {
        int page;          // 1-based
        double x, y;       // inches, where the text started
        std::string text;  // "\n" for a line end
        bool underline;
    };

    double charWidth = 0.1;          // inches per character
    std::vector<double> charWidths;  // inches per character code; when empty, charWidth for all
    double lineHeight = 0.2;         // inches per line end
    int failOnPrintCall = -1;        // throw PrinterError on this Print call (0-based), -1 never
    platform::PrintFailure printFailure = platform::PrintFailure::Stopped;  // the error it throws
    bool failEndDoc = false;            // throw PrinterError from EndDoc: the printer did not accept the job
    std::function<void()> duringPrint;  // runs at each Print call, before it prints

    void SetScaleMode(int mode) override { scaleMode = mode; }
    void SetFontName(std::string name) override { fontName = std::move(name); }
    void SetFontSize(double points) override { fontSize = points; }
    void SetFontBold(bool on) override { bold = on; }
    void SetFontItalic(bool on) override { italic = on; }
    void SetFontUnderline(bool on) override { underline = on; }
    bool FontUnderline() const override { return underline; }
    double CurrentX() const override { return x; }
    double CurrentY() const override { return y; }
    void SetCurrentX(double inches) override { x = inches; }
    void SetCurrentY(double inches) override { y = inches; }
    void Print(std::string_view text, bool lineEnd) override {
        if (duringPrint) duringPrint();
        if (printCalls++ == failOnPrintCall) throw platform::PrinterError(printFailure, "Recorder");
        calls.push_back("print");
        if (!text.empty()) pieces.push_back({page, x, y, std::string(text), underline});
        x += Width(text);
        if (lineEnd) {
            pieces.push_back({page, x, y, "\n", underline});
            x = 0;
            y += lineHeight;
        }
    }
    void NewPage() override {
        calls.push_back("newpage");
        ++page;
        x = y = 0;
    }
    void EndDoc() override {
        if (failEndDoc) throw platform::PrinterError(platform::PrintFailure::Refused, "Recorder");
        calls.push_back("enddoc");
        ++endDocs;
        x = y = 0;
    }
    void KillDoc() override {
        calls.push_back("killdoc");
        ++killDocs;
        x = y = 0;
    }

    // The printed text of one page, each piece in order.
    std::string PageText(int pageNumber) const {
        std::string text;
        for (const Piece& piece : pieces)
            if (piece.page == pageNumber) text += piece.text;
        return text;
    }
    // How far a text moves the print position across.
    double Width(std::string_view text) const {
        if (charWidths.empty()) return charWidth * static_cast<double>(text.size());
        double width = 0;
        for (char c : text) width += charWidths.at(static_cast<unsigned char>(c));
        return width;
    }

    int scaleMode = 0;
    std::string fontName;
    double fontSize = 0;
    bool bold = false, italic = false, underline = false;
    double x = 0, y = 0;
    int page = 1, printCalls = 0, endDocs = 0, killDocs = 0;
    std::vector<Piece> pieces;
    std::vector<std::string> calls;  // "print", "newpage", "enddoc", "killdoc" in order
};

}  // namespace testing_support
