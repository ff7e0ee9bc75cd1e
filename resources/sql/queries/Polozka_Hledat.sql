-- What a search of the items finds: the key of each valid item that holds the
-- searched value in a searched column of its own or of one of its history
-- lines, each once; of the items :HLEDAT_KLICE names (the rows of the list
-- after its current one), or of all when it is NULL. The search puts in its
-- statements from its table of columns: one for each group of columns
-- that one index or one look-up answers.
SELECT DISTINCT nalez.ID_POLOZKA
FROM (%HLEDAT) nalez
WHERE nalez.ID_POLOZKA IN (SELECT tab_polozka.ID_POLOZKA FROM tab_polozka WHERE tab_polozka.STATE_PLATNOST
  AND (CAST(:HLEDAT_KLICE AS integer[]) IS NULL OR tab_polozka.ID_POLOZKA = ANY(CAST(:HLEDAT_KLICE AS integer[]))))
