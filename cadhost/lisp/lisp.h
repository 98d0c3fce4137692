#pragma once

// The host's LISP: expressions that modules queue and that users type,
// and the functions that modules define for it.
#include <string>

#include "cadhost/rx/adsdefs.h"

// Queues an expression to be evaluated when the command line is next idle.
int ads_queueexpr(const ACHAR* expr);
// Defines a function for LISP; a name "C:NAME" is also the command NAME.
// Only a module handling one of its messages can define functions.
int acedDefun(const ACHAR* name, short funcode);
int acedUndef(const ACHAR* name, short funcode);
// The code of the function being invoked, inside the invoke message.
int acedGetFunCode();
// What the invoked function gives back to LISP.
int acedRetNil();
int acedRetT();
int acedRetVoid();
int acedRetInt(int value);
int acedRetReal(ads_real value);
int acedRetStr(const ACHAR* value);

namespace cadhost {
// Evaluates text typed at the command line and prints the last result;
// an error is printed as "; error: ..." instead.
void evaluateAndPrint(const std::wstring& text);
// Evaluates everything queued so far, in order.
void runLispQueue();
bool lispQueuePending();
// A variable's printed value, for tests ("nil" when unset).
std::wstring lispVariable(const std::wstring& name);
// Forgets variables, defined functions and the queue.
void resetLisp();
// Hooks the LISP commands and module unloading into the host.
void installLisp();
}  // namespace cadhost
