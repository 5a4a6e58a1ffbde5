#pragma once
// --render: the picture of the plots written to a PNG file without a window.

struct CommandLine;

// Loads the files as the window does, applies the edit options, sets the
// view options and writes exactly the picture that Edit > Copy would put on
// the clipboard. Needs a running QApplication. Returns the batch status:
// 0 written, 1 a file not read or written or a picture too large, 2 a
// refused option value (each reported through AfxMessageBox).
int renderPicture(const CommandLine& line);

// The whole run: a QApplication on the offscreen platform (unless another
// one is asked for), the classic numeric locale, then renderPicture.
int runBatchRender(int argc, char** argv, const CommandLine& line);
