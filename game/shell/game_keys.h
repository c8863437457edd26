#pragma once
// The keyboard scan codes the game reads.

constexpr int kKeyEnter = 28, kKeyPadEnter = 156;
constexpr int kKeyUp = 200, kKeyDown = 208, kKeyLeft = 203, kKeyRight = 205;
constexpr int kKeyTab = 15, kKeySpace = 57, kKeyEsc = 1;
constexpr int kKeyLeftShift = 42, kKeyRightShift = 54;
