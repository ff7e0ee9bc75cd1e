#pragma once
// The search twins of the item and document lists read only what a search
// can answer from: the item twin the items and lines that may hold the
// searched value (the server narrows, the search's own test decides), the
// document twin the lines of the documents the list shows.
class TMSSQLADOQuery;

// Sets the twins up so that each search prepares what its twin reads.
void SetUpSearchTwins(TMSSQLADOQuery &items, TMSSQLADOQuery &documents, const TMSSQLADOQuery &documentList);
