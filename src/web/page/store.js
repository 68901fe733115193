// The page's IndexedDB database: one store for the recovery copy, one for the recent files' handles.
const kDatabase = 'plinvaro';
const kVersion = 2;
const kStores = ['recovery', 'recent'];

function openDatabase() {
  return new Promise((resolve, reject) => {
    const request = indexedDB.open(kDatabase, kVersion);
    request.onupgradeneeded = () => {
      const db = request.result;
      for (const name of kStores) if (!db.objectStoreNames.contains(name)) db.createObjectStore(name);
    };
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

// Runs `work(store)` in one transaction on the store `name`: the result of the request it returns.
export async function transact(name, mode, work) {
  const db = await openDatabase();
  return new Promise((resolve, reject) => {
    const tx = db.transaction(name, mode);
    const request = work(tx.objectStore(name));
    tx.oncomplete = () => { db.close(); resolve(request.result); };
    tx.onerror = () => { db.close(); reject(tx.error); };
  });
}
