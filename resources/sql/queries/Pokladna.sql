SELECT ID_POKLADNA, ID_OPERACE, OPERACE,
  -- The time to the second in the connection's ISO form, compared byte by
  -- byte it orders as the time does (the text is made cheaper than by
  -- to_char, too).
  CAST(CAS AS text) COLLATE "C" AS CAS,
  DOKLAD_NETISTENY, DOKLAD_VYTISTENY, UZIVATEL, POHYB, STAV
FROM (
  -- Sorted by the time itself, as the index on it and the key has it: the
  -- first page of a long book costs what a short one's does. The key last
  -- gives every order one sequence. A later page is these rows after the
  -- last one read, by its values in these columns, so the index serves it
  -- too, and another till's movements neither repeat a row nor skip one.
  SELECT tab_pokladna.ID_POKLADNA, tab_pokladna.ID_OPERACE,
    CASE tab_pokladna.ID_OPERACE WHEN 1 THEN '[U]čtenka' WHEN 4 THEN '[S]torno účtenky'
      WHEN 11 THEN '[V]ložení/Vybrání hotovosti' ELSE '-' END AS OPERACE,
    date_trunc('second', tab_pokladna.TIME_POKLADNA) AS CAS,
    CASE WHEN tab_pokladna.DOKLAD_NETISTENY = '0' THEN '-' ELSE tab_pokladna.DOKLAD_NETISTENY END
      AS DOKLAD_NETISTENY,
    CASE WHEN tab_pokladna.DOKLAD_VYTISTENY = '0' THEN '-' ELSE tab_pokladna.DOKLAD_VYTISTENY END
      AS DOKLAD_VYTISTENY,
    tab_pokladna.UZIVATEL, tab_pokladna.POHYB, tab_pokladna.STAV
  FROM tab_pokladna
  ORDER BY %ORDER_BY, tab_pokladna.ID_POKLADNA
) AS pokladna
