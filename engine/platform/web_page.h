// What the runtime asks of the web page it runs in (web_page_web.cpp; the page's side is
// dist/web/index.html). Only the web build has these.
#pragma once

// Hands the page's event loop its turn: draws the canvas, runs input and timers, and resumes after
// about `ms` milliseconds (0: as soon as the page has had its turn, without the few milliseconds a
// browser adds to a timer that is set again and again).
void web_yield(int ms);
// Writes the files of the user data folder to the browser's storage and waits until it has them.
// False when the storage refused them (the files stay in memory for this visit).
bool web_storage_flush();
// Puts the frame drawn off the canvas onto it and tells the page a frame has been shown (for its
// figures).
void web_present();
// A line of the runtime's log on the browser's console.
void web_console_line(const char* text);
