SELECT tab_filtr.ID_FILTR, tab_filtr.FILTR, tab_filtr.SCRIPT
FROM tab_filtr
ORDER BY %ORDER_BY
