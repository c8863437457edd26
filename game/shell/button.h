// A screen's button: its hit box, where its picture is drawn. Each screen keeps its buttons in one table
// (in its header), which its mouse test, its keyboard focus and the automatic player all read.
#pragma once

struct Button {
  int x, y, w, h;
  int centre_x() const { return x + w / 2; }
  int centre_y() const { return y + h / 2; }
};

// The point lies in the box (edges included), tested as the screens test the mouse.
bool button_hit(const Button& button, double x, double y);
// The left mouse button is down on it.
bool button_clicked(const Button& button, double x, double y, double left);
