#pragma once

class Tchat;
class ClientQueue;

// The client's dispatch table: every command the host sends, in the order the
// dispatcher compares them, with the handler that takes the line's data.
void registerDispatchTable(Tchat& window, ClientQueue& queue);
