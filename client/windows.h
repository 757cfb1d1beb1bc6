#pragma once

class Tchat;
class Tabout;
class Thelp;
class TServer;
class Ttallylist;
class Tspylist;
class Tphrases;
class Tdownload;

// The program's windows, created once at start-up in this order and living until
// the program ends. The main window is created first, so it finds the others here
// only once they exist (from its first showing on).
struct Windows {
    Tchat* chat = nullptr;
    Tabout* about = nullptr;
    Thelp* help = nullptr;
    TServer* server = nullptr;
    Ttallylist* tallylist = nullptr;
    Tspylist* spylist = nullptr;
    Tphrases* phrases = nullptr;
    Tdownload* download = nullptr;
};
