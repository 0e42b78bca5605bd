// CLOSING: a close of the main window that arrives while its Form_Load still runs. The load
// shows modal boxes (the "Debug" timing, the settings module's warnings) whose message loops
// deliver a title-bar close, "End task" or a log-off before the load has ended; carried out
// there, the close would save values the load had not read yet and free the window under it.
// So a close is held until the load has ended and then carried out as any close is.
//
// Operations:
//   BeginLoad()       the window's load starts; loads may nest
//   EndLoad()         the load ends; true when a close arrived meanwhile and is now due
//   RequestClose()    a close (WM_CLOSE) or a session's end asks to close: true when it may go
//                     on at once, false when it is held for EndLoad
//   Loading()         a load is running
//
// No status codes: nothing here fails.
#ifndef TAVLO_GUI_PREFS_CLOSING_H
#define TAVLO_GUI_PREFS_CLOSING_H

class LoadingClose {
 public:
  void BeginLoad();
  bool EndLoad();
  bool RequestClose();
  bool Loading() const {
    return depth_ > 0;
  }

 private:
  int depth_ = 0;
  bool held_ = false;
};

#endif
