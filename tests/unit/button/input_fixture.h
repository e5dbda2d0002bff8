// A shown page with one shaded button (100 x 30 pixels, caption "&Return") that has the focus, the
// pointer away from it and a recorder on it that watches its surface.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "support/button_input.h"
#include "support/button_page.h"

class ButtonInput : public ::testing::Test {
protected:
    static constexpr int kWidth = 100;
    static constexpr int kHeight = 30;

    void SetUp() override { Start(); }
    void TearDown() override { Stop(); }

    // A fresh button in place of the one before.
    void Start() {
        Stop();
        fixture_ = testing_support::MakeButton(app_, kWidth, kHeight, "BTYPE = 14\nTX = \"&Return\"\n");
        button_ = fixture_.button;
        window_ = button_->hwnd();
        ASSERT_TRUE(testing_support::PumpUntil(app_, [this] { return GetFocus() == window_; }));
        recorder_.emplace(*button_, true);
    }
    // The pointer goes away before the button does, so that Wine's late reports of where the pointer was
    // find no button there.
    void Stop() {
        recorder_.reset();
        if (GetCapture()) ReleaseCapture();
        testing_support::PointerAway(app_);
        if (fixture_.page && fixture_.page->IsLoaded()) fixture_.page->UnloadWithoutAsking();
    }

    std::vector<std::string> Take() { return recorder_->Take(); }
    void Send(UINT message, WPARAM held = 0, int x = 10, int y = 5) {
        testing_support::SendMouse(window_, message, held, x, y);
    }
    void Click() {
        Send(WM_LBUTTONDOWN);
        Send(WM_LBUTTONUP);
    }
    void MoveOver(WPARAM held, int x, int y) { testing_support::MoveOver(window_, held, x, y); }
    // Hover on, with the pointer at (10, 5), and nothing recorded yet.
    void Hover() {
        MoveOver(0, 10, 5);
        ASSERT_TRUE(button_->fields().PointerOver);
        Take();
    }
    bool WaitForTimerToStop() {
        return testing_support::PumpUntil(app_, [this] { return !button_->TimerEnabled(); });
    }
    platform::Application app_;
    testing_support::ButtonFixture fixture_;
    button::TamrixButton* button_ = nullptr;
    HWND window_ = nullptr;
    std::optional<testing_support::ButtonRecorder> recorder_;
};

using Lines = std::vector<std::string>;
