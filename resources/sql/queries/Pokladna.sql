SELECT tab_pokladna.ID_POKLADNA, tab_pokladna.ID_OPERACE,
  CASE tab_pokladna.ID_OPERACE WHEN 1 THEN '[U]čtenka' WHEN 4 THEN '[S]torno účtenky'
    WHEN 11 THEN '[V]ložení/Vybrání hotovosti' ELSE '-' END AS OPERACE,
  -- The time to the second in the connection's ISO form, compared byte by
  -- byte: that orders it as the time does, and a long book sorts faster than
  -- by the language's rules (the text is made cheaper than by to_char, too).
  CAST(date_trunc('second', tab_pokladna.TIME_POKLADNA) AS text) COLLATE "C" AS CAS,
  CASE WHEN tab_pokladna.DOKLAD_NETISTENY = '0' THEN '-' ELSE tab_pokladna.DOKLAD_NETISTENY END
    AS DOKLAD_NETISTENY,
  CASE WHEN tab_pokladna.DOKLAD_VYTISTENY = '0' THEN '-' ELSE tab_pokladna.DOKLAD_VYTISTENY END
    AS DOKLAD_VYTISTENY,
  tab_pokladna.UZIVATEL, tab_pokladna.POHYB, tab_pokladna.STAV
FROM tab_pokladna
ORDER BY %ORDER_BY
