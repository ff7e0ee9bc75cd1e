#pragma once
// The search twins of the item and document lists read only what a search
// can answer from. The item twin finds on the server: it lists each valid
// item that holds the searched value in a searched column of its own or of
// one of its history lines, once, deciding as the program's own test does
// (texts folded alike, numbers read alike); the document twin reads the lines
// of the documents the list shows, and the search's own test decides.
#include <QStringList>

class TMSSQLADOQuery;

// The item twin's columns, in the order the search offers them: its field
// list and the conditions of each search are made from the one table behind.
QStringList ItemSearchColumns();

// Sets the twins up so that each search prepares what its twin reads.
void SetUpSearchTwins(TMSSQLADOQuery &items, TMSSQLADOQuery &documents, const TMSSQLADOQuery &documentList);
